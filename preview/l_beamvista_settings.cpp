// Settings files, resets and background pictures. Until they are built nothing is chosen, and
// background pictures are only loaded from names or bytes and removed.
#include "platform/message_box.h"
#include "preview/l_beamvista.h"

namespace {

constexpr const char* kLoadFailedCaption = "Load failed";
constexpr int32_t kBackgroundOn = 1;
constexpr int32_t kBackgroundFromShow = 2;
// A background picture as loaded: intensity 1, size 1 x 1, at the centre, 1.
constexpr LLaserPreviewBitmap::Parameters kNewBackground{1, 1, 0, 0, 1};

} // namespace

void LBeamvista::ChooseBackgroundImage(int32_t)
{
}

void LBeamvista::ResetParameters(bool, uint32_t)
{
}

bool LBeamvista::HasBackgroundPicture(int32_t slot) const
{
    return slot >= 0 && slot < static_cast<int32_t>(pictures_.size()) &&
           !pictures_[slot].FileBytes().IsEmpty();
}

bool LBeamvista::LoadBackgroundImage(const XAString& name, int32_t slot, const XAString* bytes)
{
    LBeamvistaPars pars = livePars_;
    if (slot < 0) {
        for (slot = 0; slot < kBeamvistaBackgroundCount && !pars.BgFilename(slot).IsEmpty(); ++slot) {
        }
    }
    if (slot >= kBeamvistaBackgroundCount)
        return false;
    LLaserPreviewBitmap picture;
    const CError error = picture.Load(name.CStr(), bytes, kNewBackground);
    if (error.Failed()) {
        const XAString text = name + "\n\n" + error.Text();
        CurrentMessageBoxService().Show(text.CStr(), kLoadFailedCaption, MessageBoxIcon::Error,
                                        MessageBoxButtons::Ok);
        return false;
    }
    pars.BgFilename(slot) = name;
    pars.BgSwitch(slot) = kBackgroundOn;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    pictures_[slot] = picture;
    ReloadAllBitmapTextures();
    Redraw();
    return true;
}

bool LBeamvista::RemoveBackgroundImage(int32_t slot)
{
    LBeamvistaPars pars = livePars_;
    if (slot < 0) {
        for (slot = kBeamvistaBackgroundCount - 1; slot >= 0 && pars.BgFilename(slot).IsEmpty(); --slot) {
        }
        if (slot < 0)
            return false;
    }
    if (slot >= kBeamvistaBackgroundCount)
        return false;
    pars.BgSwitch(slot) = kBackgroundFromShow;
    pars.BgFilename(slot) = XAString();
    pars.ApplyToParameters(kBeamvistaAllGroups);
    return true;
}

bool LBeamvista::ExportPictures(bool)
{
    return false;
}
