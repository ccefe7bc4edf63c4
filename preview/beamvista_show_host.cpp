#include "preview/beamvista_show_host.h"

#include "platform/deliverable_kind.h"
#include "platform/message_box.h"
#include "platform/ui_environment.h"
#include "preview/l_beamvista.h"

namespace {

constexpr const char* kOpenFailedCaption = "OpenZyl failed!";

void ShowOpenFailure(const XAString& text)
{
    CurrentMessageBoxService().Show(text.CStr(), kOpenFailedCaption, MessageBoxIcon::Error,
                                    MessageBoxButtons::Ok);
}

} // namespace

bool LBeamvistaShowHost::HasWindow()
{
    return preview_.HasWindow();
}

void LBeamvistaShowHost::OnShowOpened()
{
    preview_.BuildShowPictureTextures();
    preview_.UpdateTitle();
    Redraw();
    preview_.DeliverStatus();
}

void LBeamvistaShowHost::OnShowClosing()
{
    preview_.DeleteShowPictureTextures();
}

void LBeamvistaShowHost::OnShowClosed()
{
    preview_.UpdateTitle();
}

void LBeamvistaShowHost::UpdateTitle()
{
    preview_.UpdateTitle();
}

void LBeamvistaShowHost::Redraw()
{
    // Inside the playback step the paint that runs it draws the new show.
    if (!preview_.SteppingPlayback())
        preview_.Redraw();
}

void LBeamvistaShowHost::NotifyStatus(uint32_t bits)
{
    preview_.NotifyStatus(bits);
}

void LBeamvistaShowHost::DeliverStatus()
{
    preview_.DeliverStatus();
}

void LBeamvistaShowHost::ReportOpenFailure(const XAString& text)
{
    // The control's host learns of its show through the control, never by a box.
    if (CurrentDeliverableKind() == DeliverableKind::Control)
        return;
    // Nothing modal runs inside a paint.
    if (preview_.SteppingPlayback())
        CurrentUiEnvironment().PostAfterCurrentEvent([text] { ShowOpenFailure(text); });
    else
        ShowOpenFailure(text);
}
