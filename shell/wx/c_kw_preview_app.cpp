#include "shell/wx/c_kw_preview_app.h"

#include "controls/wx/wx_controls.h"
#include "foundation/files/fs_name.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/wx/app_setup_wx.h"
#include "platform/wx/clipboard_wx.h"
#include "platform/wx/message_box_wx.h"
#include "platform/wx/ui_environment_wx.h"
#include "shell/command_ids.h"
#include "shell/startup_rules.h"
#include "shell/wx/c_skin_frame.h"
#include "shell/wx/l_kw_preview_about.h"
#include "shell/wx/wx_playback_bar.h"

#include <wx/clipbrd.h>
#include <wx/image.h>

#include <cstdio>

CKWPreviewApp::CKWPreviewApp() = default;

CKWPreviewApp::~CKWPreviewApp() = default;

bool CKWPreviewApp::OnInit()
{
    ReportToolkitChecksOnStderr();
    // The compiled-in pictures are PNG files.
    wxImage::AddHandler(new wxPNGHandler);
    environment_ = std::make_unique<WxUiEnvironment>();
    SetUiEnvironment(environment_.get());
    messageBox_ = std::make_unique<WxMessageBox>();
    SetMessageBoxService(messageBox_.get());
    clipboard_ = std::make_unique<WxClipboard>();
    SetClipboardService(clipboard_.get());
    InstallWxControls();
    InstallWxPlaybackBar();
    CloseTopWindowOnSignals();

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i].utf8_string());
    const std::string program = XAFsName::FromModuleFileName().CStr();

    frame_ = new CSkinFrame(*this, kPlayerApplicationName);
    // The frame's creation decides nothing about starting: the application runs on either way.
    if (frame_->CreateFrame(StartupPaths(arguments, program))) {
        SetTopWindow(frame_->TopLevel());
        frame_->TopLevel()->Bind(wxEVT_DESTROY, &CKWPreviewApp::OnFrameDestroy, this);
    } else {
        std::fprintf(stderr, "ZylPlayer: the main window could not be made.\n");
        delete frame_;
        frame_ = nullptr;
    }
    Bind(wxEVT_IDLE, &CKWPreviewApp::OnIdle, this);
    return true;
}

int CKWPreviewApp::OnExit()
{
    // A copied picture outlives the program when a clipboard manager takes it over.
    wxTheClipboard->Flush();
    SetClipboardService(nullptr);
    SetMessageBoxService(nullptr);
    SetUiEnvironment(nullptr);
    environment_.reset();
    return wxApp::OnExit();
}

bool CKWPreviewApp::OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate*)
{
    if (id == command_id::kAbout && code == UiCommandCode::Execute)
        LKWPreviewAbout::RunModal(frame_ != nullptr ? frame_->TopLevel() : nullptr);
    return id == command_id::kAbout || id == command_id::kManual;
}

void CKWPreviewApp::OnIdle(wxIdleEvent& event)
{
    if (frame_ != nullptr)
        frame_->SavePlacementIfDirty();
    event.Skip();
}

void CKWPreviewApp::OnFrameDestroy(wxWindowDestroyEvent& event)
{
    if (frame_ != nullptr && event.GetEventObject() == frame_->TopLevel())
        frame_ = nullptr;
    event.Skip();
}
