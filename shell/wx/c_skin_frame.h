// CSkinFrame: the player's main frame. Until its skin exists it is a plain frame with the main
// menu (menu resource 128) as its menu bar and the view filling it. Menu commands and their
// update queries enter here and run along our own chain: the view, this frame, the application.
#pragma once

#include "platform/ui_command.h"
#include "preview/l_beamvista_status_callback.h"

#include <wx/frame.h>

#include <map>
#include <string>
#include <vector>

class LBeamvista;
class WxChildView;

class CSkinFrame final : public wxFrame, public UiCommandTarget, public LBeamvistaStatusCallback
{
  public:
    // The application's target ends the chain; it outlives the frame.
    CSkinFrame(UiCommandTarget& application, std::string applicationName);
    ~CSkinFrame() override;

    // Makes the window, its menu bar and its view, then starts the engine in the view.
    bool CreateFrame(const std::vector<std::string>& startupPaths);
    WxChildView* View() const { return view_; }

    // The chain: view, frame, application. False when nobody handles the command.
    bool RouteCommand(int32_t id, UiCommandCode code, UiCommandUpdate* update);
    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override;

    // The preview's status: its title is the frame's; its commands run along the frame's chain.
    int OnPreviewCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo) override;
    void SetFileName(const char* title) override;

  private:
    static constexpr int32_t kDefaultClientWidth = 640;
    static constexpr int32_t kDefaultClientHeight = 480;
    static constexpr int32_t kDefaultPosition = 64;

    void BuildMenuBar();
    void OnMenu(wxCommandEvent& event);
    void OnMenuOpen(wxMenuEvent& event);
    // Closing waits while the preview runs a file dialog.
    void OnClose(wxCloseEvent& event);
    LBeamvista* Preview() const;

    UiCommandTarget& application_;
    std::string applicationName_;
    WxChildView* view_ = nullptr;
    // The toolkit's menu item ids and the commands they stand for.
    std::map<int, int32_t> menuCommands_;
};
