// CKWPreviewApp: the player's application object. It installs the toolkit's backends of the
// platform services, creates the main frame with the start-up paths, ends the application's
// command chain (About, Manual), and closes the frame on SIGTERM and SIGINT.
#pragma once

#include "platform/ui_command.h"

#include <wx/app.h>

#include <memory>

class WxUiEnvironment;
class WxMessageBox;
class WxClipboard;
class CSkinFrame;

class CKWPreviewApp final : public wxApp, public UiCommandTarget
{
  public:
    CKWPreviewApp();
    ~CKWPreviewApp() override;

    bool OnInit() override;
    int OnExit() override;
    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override;

  private:
    // The frame saves a changed placement when the program is idle.
    void OnIdle(wxIdleEvent& event);
    void OnFrameDestroy(wxWindowDestroyEvent& event);

    std::unique_ptr<WxUiEnvironment> environment_;
    std::unique_ptr<WxMessageBox> messageBox_;
    std::unique_ptr<WxClipboard> clipboard_;
    // The main frame while it exists; the toolkit owns it.
    CSkinFrame* frame_ = nullptr;
};
