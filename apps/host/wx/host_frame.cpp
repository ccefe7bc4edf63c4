#include "apps/host/wx/host_frame.h"

#include "apps/host/embedding/object_types.h"
#include "apps/host/embedding/server_library.h"
#include "apps/host/wx/property_list_dialog.h"
#include "controls/fit_rect_to_screen.h"

#include <gtk/gtk.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include <utility>

namespace {

// An object whose page gives no size gets the size of a small player.
constexpr int32_t kDefaultWidth = 320;
constexpr int32_t kDefaultHeight = 240;
constexpr int kPageMargin = 8;

enum ObjectAction : int32_t { kActionProperties, kActionAbout, kActionPropertyList, kActionCount };

int MenuId(size_t index, int32_t action)
{
    return wxID_HIGHEST + 1 + static_cast<int>(index) * kActionCount + action;
}

ScreenRect ScreenRectOf(const wxRect& rect)
{
    return {rect.GetLeft(), rect.GetTop(), rect.GetLeft() + rect.GetWidth(), rect.GetTop() + rect.GetHeight()};
}

// The work areas of the monitors as the toolkit reports them.
ScreenAreas CurrentScreenAreas()
{
    ScreenAreas screens;
    const unsigned count = wxDisplay::GetCount();
    screens.monitorsListed = count > 0;
    for (unsigned i = 0; i < count; ++i) {
        const wxDisplay display(i);
        const ScreenRect workArea = ScreenRectOf(display.GetClientArea());
        screens.monitorWorkAreas.emplace_back(workArea);
        if (display.IsPrimary()) {
            screens.primaryWorkArea = workArea;
            screens.primaryScreen = {0, 0, display.GetGeometry().GetWidth(), display.GetGeometry().GetHeight()};
        }
    }
    return screens;
}

} // namespace

HostFrame::HostFrame(const wxString& title, std::string pageUrl, std::function<void(const std::string&)> writeEvent)
    : wxFrame(nullptr, wxID_ANY, title), pageUrl_(std::move(pageUrl)), writeEvent_(std::move(writeEvent)),
      page_(new wxPanel(this))
{
    page_->SetSizer(new wxBoxSizer(wxHORIZONTAL));
    Bind(wxEVT_CLOSE_WINDOW, &HostFrame::OnClose, this);
}

std::vector<std::string> HostFrame::Embed(const std::vector<HostObjectRequest>& requests)
{
    for (const HostObjectRequest& request : requests) {
        auto hosted = std::make_unique<Hosted>();
        const wxSize size(request.width > 0 ? request.width : kDefaultWidth, request.height > 0 ? request.height : kDefaultHeight);
        hosted->window = new wxWindow(page_, wxID_ANY, wxDefaultPosition, size);
        hosted->window->SetMinSize(size);
        hosted->window->SetBackgroundColour(*wxBLACK);
        page_->GetSizer()->Add(hosted->window, 0, wxALL, kPageMargin);
        hosted->site = std::make_unique<HostSite>(hosted->window, pageUrl_);
        for (const auto& [name, value] : request.params) {
            hosted->params.Add(name, value);
        }
        hosted_.push_back(std::move(hosted));
    }
    page_->Fit();
    Fit();
    Layout();

    std::vector<std::string> failures;
    for (size_t i = 0; i < requests.size(); ++i) {
        Hosted& hosted = *hosted_[i];
        const HostObjectRequest& request = requests[i];
        std::string error;
        ComPtr<IClassFactory> factory;
        HRESULT result = request.library->GetClassObject(request.clsid, IClassFactory::kIid, factory.Receive());
        if (Failed(result)) {
            failures.push_back("object " + std::to_string(i + 1) + ": no class object: " + FormatHresult(result));
            continue;
        }
        if (writeEvent_) {
            hosted.printer = std::make_unique<EventPrinter>(nullptr, writeEvent_);
        }
        const wxSize size = hosted.window->GetClientSize();
        result = hosted.object.Embed(*factory.Get(), *hosted.site, hosted.printer.get(), hosted.params,
                                     ComRect{0, 0, size.x, size.y}, error);
        if (Failed(result)) {
            failures.push_back("object " + std::to_string(i + 1) + ": " + error);
        }
    }
    BuildMenu();
    // The menu bar takes its height from the page, and on some toolkits only once it is shown.
    SetClientSize(page_->GetBestSize());
    CallAfter([this] { SetClientSize(page_->GetBestSize()); });
    // The window manager placed the frame while it was small; the grown frame is kept on the
    // screen once the window system has given it its size.
    growing_ = g_signal_connect(GetHandle(), "configure-event", G_CALLBACK(&HostFrame::OnConfigured), this);
    return failures;
}

int HostFrame::OnConfigured(void*, void* configureEvent, void* self)
{
    auto* frame = static_cast<HostFrame*>(self);
    const auto* event = static_cast<const GdkEventConfigure*>(configureEvent);
    // The window holds the menu bar above the page: grown to hold both, the frame has its size, and
    // a user who resizes it later places it where he likes.
    const wxSize page = frame->page_->GetBestSize();
    if (event->width >= page.x && event->height > page.y) {
        g_signal_handler_disconnect(frame->GetHandle(), std::exchange(frame->growing_, 0));
        frame->KeepOnScreen();
    }
    return FALSE;
}

void HostFrame::KeepOnScreen()
{
    // Grown to the page, a frame placed while small may reach past the screen's edge, hiding the
    // objects' bottom. The toolkit's own idea of the frame's place may still be the one it asked
    // for before the window manager placed it, so the place with the decorations is asked of the
    // window system.
    GdkWindow* window = gtk_widget_get_window(GetHandle());
    if (window == nullptr) {
        return;
    }
    GdkRectangle extents;
    gdk_window_get_frame_extents(window, &extents);
    ScreenRect rect{extents.x, extents.y, extents.x + extents.width, extents.y + extents.height};
    if (FitRectToScreen(rect, 0, CurrentScreenAreas())) {
        gtk_window_move(GTK_WINDOW(GetHandle()), rect.left, rect.top);
    }
}

IOleObject* HostFrame::FirstObject() const
{
    for (const auto& hosted : hosted_) {
        if (hosted->object.Object() != nullptr) {
            return hosted->object.Object();
        }
    }
    return nullptr;
}

IDispatch* HostFrame::FirstDispatch() const
{
    for (const auto& hosted : hosted_) {
        if (hosted->object.Dispatch() != nullptr) {
            return hosted->object.Dispatch();
        }
    }
    return nullptr;
}

void HostFrame::BuildMenu()
{
    auto* bar = new wxMenuBar;
    auto* file = new wxMenu;
    file->Append(wxID_EXIT, "E&xit");
    bar->Append(file, "&File");
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, wxID_EXIT);
    for (size_t i = 0; i < hosted_.size(); ++i) {
        if (hosted_[i]->object.Object() == nullptr) {
            continue;
        }
        auto* menu = new wxMenu;
        menu->Append(MenuId(i, kActionProperties), "&Properties...");
        menu->Append(MenuId(i, kActionAbout), "&About...");
        menu->Append(MenuId(i, kActionPropertyList), "Property &List...");
        bar->Append(menu, hosted_.size() == 1 ? wxString("&Control") : wxString::Format("Object &%zu", i + 1));
        for (int32_t action = 0; action < kActionCount; ++action) {
            Bind(wxEVT_MENU, [this, i, action](wxCommandEvent&) { OnObjectMenu(i, action); }, MenuId(i, action));
        }
    }
    SetMenuBar(bar);
}

void HostFrame::OnObjectMenu(size_t index, int32_t action)
{
    Hosted& hosted = *hosted_[index];
    if (hosted.object.Object() == nullptr) {
        return;
    }
    HRESULT result = S_OK;
    switch (action) {
    case kActionProperties:
        result = hosted.object.Object()->DoVerb(OLEIVERB_PROPERTIES);
        break;
    case kActionAbout:
        if (hosted.object.Dispatch() != nullptr) {
            ZVariant none;
            result = hosted.object.Dispatch()->Invoke(DISPID_ABOUTBOX, kDispatchMethod, {}, &none);
        }
        break;
    default:
        if (hosted.object.Dispatch() != nullptr) {
            PropertyListDialog dialog(this, *hosted.object.Dispatch(),
                                      ClassInterfaceOf(hosted.object.Object(), 0));
            dialog.ShowModal();
        }
        break;
    }
    if (Failed(result)) {
        wxMessageBox(wxString::FromUTF8("The object refused: " + FormatHresult(result)), "zylhost", wxOK | wxICON_ERROR,
                     this);
    }
}

void HostFrame::UnembedAll()
{
    for (auto& hosted : hosted_) {
        hosted->object.Unembed();
    }
}

void HostFrame::OnClose(wxCloseEvent& event)
{
    // The objects' windows go with their sites; the objects let go of them first.
    UnembedAll();
    event.Skip();
}
