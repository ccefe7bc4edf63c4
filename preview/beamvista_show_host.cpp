#include "preview/beamvista_show_host.h"

#include "platform/deliverable_kind.h"
#include "platform/message_box.h"
#include "platform/ui_environment.h"
#include "preview/l_beamvista.h"

namespace {

constexpr const char* kOpenFailedCaption = "OpenZyl failed!";

// Owned by the preview: full screen, the box stays over the show.
void ShowOpenFailure(UiWindowId preview, const XAString& text)
{
    CurrentMessageBoxService().ShowOwnedBy(preview, text.CStr(), kOpenFailedCaption, MessageBoxIcon::Error,
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
    // The show's own settings live in its first user-data block.
    preview_.SetFileParameters(preview_.Playback().Stream().UserData(0));
    preview_.DeliverStatus();
}

void LBeamvistaShowHost::OnShowClosing()
{
    preview_.DeleteShowPictureTextures();
}

void LBeamvistaShowHost::OnShowClosed()
{
    preview_.ClearFileParameters();
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

bool LBeamvistaShowHost::LoadSettingsFile(const XAString& path)
{
    return preview_.LoadSettingsFile(path);
}

bool LBeamvistaShowHost::LoadBackgroundImage(const XAString& path)
{
    return preview_.LoadBackgroundImage(path, -1, nullptr);
}

void LBeamvistaShowHost::ReportOpenFailure(const XAString& text)
{
    // The control's host learns of its show through the control, never by a box.
    if (CurrentDeliverableKind() == DeliverableKind::Control)
        return;
    const UiWindowId window = preview_.WindowId();
    // Nothing modal runs inside a paint.
    if (preview_.SteppingPlayback())
        CurrentUiEnvironment().PostAfterCurrentEvent([window, text] { ShowOpenFailure(window, text); });
    else
        ShowOpenFailure(window, text);
}

void LBeamvistaShowHost::DropPostedFrames()
{
    preview_.DropPostedFrames();
}

void LBeamvistaShowHost::ClearFrameSequence()
{
    preview_.EmptyFrameSequence();
}
