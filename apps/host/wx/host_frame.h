// HostFrame: the container's window. It lays the page's objects out at their sizes, embeds each
// through its class object, offers their verbs and properties in its menu, and lets them go
// before it closes.
#pragma once

#include "apps/host/embedding/embedded_object.h"
#include "apps/host/embedding/event_printer.h"
#include "apps/host/wx/host_site.h"
#include "platform/com/text_property_bag.h"

#include <wx/frame.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class ServerLibrary;

// One object the frame is to embed.
struct HostObjectRequest
{
    CLSID clsid;
    ServerLibrary* library;
    int32_t width;
    int32_t height;
    std::vector<std::pair<std::string, std::string>> params;
};

class HostFrame final : public wxFrame
{
  public:
    // Events of the objects go to writeEvent (none when null).
    HostFrame(const wxString& title, std::string pageUrl, std::function<void(const std::string&)> writeEvent);

    // Embeds every object; the failures' texts, one for each object that could not be embedded.
    std::vector<std::string> Embed(const std::vector<HostObjectRequest>& requests);
    // The first embedded object; null when none is.
    IOleObject* FirstObject() const;
    IDispatch* FirstDispatch() const;

  private:
    struct Hosted
    {
        wxWindow* window = nullptr;
        std::unique_ptr<HostSite> site;
        TextPropertyBag params;
        std::unique_ptr<EventPrinter> printer;
        EmbeddedObject object;
    };

    void BuildMenu();
    // Moves the frame, at its final size, into the monitors' work areas.
    void KeepOnScreen();
    // Keeps the frame on the screen once the window system has grown it to hold the page.
    // (A toolkit signal handler: widget, its GdkEventConfigure and the frame.)
    static int OnConfigured(void* widget, void* event, void* self);
    void OnObjectMenu(size_t index, int32_t action);
    void OnClose(wxCloseEvent& event);
    void UnembedAll();

    std::string pageUrl_;
    std::function<void(const std::string&)> writeEvent_;
    wxWindow* page_;
    std::vector<std::unique_ptr<Hosted>> hosted_;
    // The frame's handler of the window system's size reports while it grows to the page; 0 after.
    unsigned long growing_ = 0;
};
