#include "activex/wx/wx_control_services.h"

#include "controls/wx/wx_controls.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/ui_environment.h"
#include "platform/wx/clipboard_wx.h"
#include "platform/wx/message_box_wx.h"
#include "platform/wx/ui_environment_wx.h"
#include "shell/wx/wx_playback_bar.h"

#include <wx/image.h>

void EnsureWxControlServices()
{
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    // The library stays loaded for the life of the process, and so do its services: the
    // container's toolkit may call them until it ends.
    SetUiEnvironment(new WxUiEnvironment);
    SetMessageBoxService(new WxMessageBox);
    SetClipboardService(new WxClipboard);
    InstallWxControls();
    InstallWxPlaybackBar();
    // The compiled-in pictures are PNG files; the container may not read any itself.
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler);
    }
}
