// The preview's commands: presets, display switches, the clipboard and the context menu.
#include "foundation/archives/archive_xstring.h"
#include "platform/deliverable_kind.h"
#include "platform/resources.h"
#include "preview/context_menu_model.h"
#include "preview/l_beamvista.h"
#include "preview/l_beamvista_modal_guard.h"
#include "preview/parameter_presets.h"

#include <climits>

namespace {

constexpr const char* kPastedPictureName = "Clipboard.bmp";
// Room for the BMP headers and a palette beside the pixels.
constexpr int64_t kBmpHeaderRoom = 1000;
constexpr int64_t kBytesPerPixel = 4;

// The control keeps the page's pictures to the page: nothing of it goes to the clipboard, and
// nothing from there replaces a background. Its keys and commands are still taken, so that they
// reach nothing else.
bool ClipboardPicturesAllowed()
{
    return CurrentDeliverableKind() != DeliverableKind::Control;
}

} // namespace

template <class Change> void LBeamvista::ChangeLivePars(Change change)
{
    LBeamvistaPars pars = livePars_;
    change(pars);
    pars.ApplyToParameters(kBeamvistaAllGroups);
}

void LBeamvista::ResetFog()
{
    ChangeLivePars([](LBeamvistaPars& pars) { presets::ResetFog(pars); });
}

void LBeamvista::StepFog(float step)
{
    ChangeLivePars([step](LBeamvistaPars& pars) { presets::StepFog(pars, step); });
}

void LBeamvista::ResetGraphics()
{
    ChangeLivePars([](LBeamvistaPars& pars) { presets::ResetGraphics(pars); });
}

void LBeamvista::StepGraphics(float step)
{
    ChangeLivePars([step](LBeamvistaPars& pars) { presets::StepGraphics(pars, step); });
}

void LBeamvista::ResetLineWidth()
{
    ChangeLivePars([](LBeamvistaPars& pars) { presets::ResetLineWidth(pars); });
}

void LBeamvista::StepLineWidth(float step)
{
    ChangeLivePars([step](LBeamvistaPars& pars) { presets::StepLineWidth(pars, step); });
}

void LBeamvista::ResetCloudMix()
{
    ChangeLivePars([](LBeamvistaPars& pars) { presets::ResetCloudMix(pars); });
}

void LBeamvista::StepCloudMix(float step)
{
    ChangeLivePars([step](LBeamvistaPars& pars) { presets::StepCloudMix(pars, step); });
}

void LBeamvista::SetShowSoundInfo(bool on)
{
    showSoundInfo_ = on;
    Redraw();
}

void LBeamvista::SetShowLoadInfo(bool on)
{
    showLoadInfo_ = on;
    Redraw();
}

void LBeamvista::CloseAllCommand()
{
    CloseAll(false);
    EmptyFrameSequence();
    Redraw();
}

bool LBeamvista::HasBackgroundImage() const
{
    return !livePars_.o_bg0_filename.IsEmpty();
}

bool LBeamvista::CopyImage()
{
    if (!ClipboardPicturesAllowed())
        return false;
    const HImageRef picture = RenderToImage(true);
    return !picture.IsEmpty() && !picture->ToClipboard().Failed();
}

bool LBeamvista::CutImage()
{
    // A pasted picture exists nowhere else: it goes only once the clipboard holds it.
    if (!CopyImage())
        return false;
    RemoveBackgroundImage(0);
    return true;
}

bool LBeamvista::PasteImage()
{
    if (!ClipboardPicturesAllowed())
        return false;
    HImageRef picture;
    if (HImage::FromClipboard(picture, kPastedPictureName, true, false).Failed() || picture.IsEmpty())
        return false;
    const int64_t capacity =
        static_cast<int64_t>(picture->Width()) * picture->Height() * kBytesPerPixel + kBmpHeaderRoom;
    if (capacity > INT32_MAX)
        return false;
    LArchiveXString file;
    if (!file.OpenWrite(static_cast<int32_t>(capacity)) || !picture->WriteBmp(file) || file.Status().Failed())
        return false;
    const XAString bytes = file.TakeString();
    return LoadBackgroundImage(kPastedPictureName, 0, &bytes);
}

bool LBeamvista::UpdateContextMenu(UiMenu* menu)
{
    if (menu == nullptr)
        return false;
    ContextMenuState state;
    state.fullScreen = fullScreen_;
    state.topMost = IsTopMost();
    state.showInfo = showInfo_;
    state.showPcFps = showPcFps_;
    state.showLaserFps = showLaserFps_;
    state.showTimecode = showTimecode_;
    state.muted = IsMuted();
    state.showOpen = HasOpenShow();
    state.showCount = ShowCount();
    state.hasBackgroundImage = HasBackgroundImage();
    state.dspSelectionEnabled = dspSelectionEnabled_;
    state.postedFrameCurrent = postedFrames_.HasCurrent();
    state.controlBuild = CurrentDeliverableKind() == DeliverableKind::Control;
    UpdateContextMenuModel(*menu, state);
    return true;
}

bool LBeamvista::ShowContextMenu()
{
    if (!HasWindow())
        return false;
    UiEnvironment& environment = CurrentUiEnvironment();
    UiPoint cursor;
    environment.GetCursorPos(cursor);
    const UiMenu* resource = FindMenuResource(kPreviewContextMenuId);
    if (resource == nullptr || resource->items.empty() ||
        resource->items.front().kind != UiMenuItem::Kind::SubMenu)
        return false;
    UiMenu popup{resource->items.front().items};
    if (!UpdateContextMenu(&popup))
        return false;
    int32_t chosen = 0;
    {
        LBeamvistaModalGuard guard(*this);
        chosen = environment.TrackPopupMenu(popup, cursor, window_->Id());
        // A child preview leaves the focus to its view, which hands keys on.
        if (!environment.FocusWindow() && HasWindow() && window_->Kind() != NativeWindowKind::Child)
            environment.SetFocus(window_->Id());
    }
    if (chosen != 0)
        OnCmdMsg(chosen, UiCommandCode::Execute, nullptr);
    return true;
}
