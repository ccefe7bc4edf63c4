#include "shell/wx/c_kw_preview_app.h"

#include "controls/wx/wx_controls.h"
#include "foundation/files/fs_name.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/wx/clipboard_wx.h"
#include "platform/wx/message_box_wx.h"
#include "platform/wx/ui_environment_wx.h"
#include "shell/command_ids.h"
#include "shell/startup_rules.h"
#include "shell/wx/c_skin_frame.h"
#include "shell/wx/l_kw_preview_about.h"
#include "shell/wx/wx_playback_bar.h"

#include <glib-unix.h>
#include <wx/clipbrd.h>
#include <wx/image.h>

#include <csignal>
#include <cstdio>

namespace {

// SIGTERM and SIGINT arrive through the main loop, so closing runs on the GUI thread.
gboolean CloseOnSignal(gpointer)
{
    if (wxWindow* top = wxTheApp->GetTopWindow())
        top->Close();
    else
        wxTheApp->ExitMainLoop();
    // The toolkit deletes closed frames when it is idle; outside its own events it must be told.
    wxWakeUpIdle();
    return G_SOURCE_CONTINUE;
}

// A failed check of the toolkit is reported, never put up as a dialog that would stop the player.
void ReportAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message)
{
    std::fprintf(stderr, "%s(%d): check \"%s\" failed in %s(): %s\n", file.utf8_str().data(), line,
                 condition.utf8_str().data(), function.utf8_str().data(), message.utf8_str().data());
}

} // namespace

CKWPreviewApp::CKWPreviewApp() = default;

CKWPreviewApp::~CKWPreviewApp() = default;

bool CKWPreviewApp::OnInit()
{
    wxSetAssertHandler(ReportAssert);
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
    g_unix_signal_add(SIGTERM, CloseOnSignal, nullptr);
    g_unix_signal_add(SIGINT, CloseOnSignal, nullptr);

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
