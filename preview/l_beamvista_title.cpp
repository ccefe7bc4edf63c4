// The preview's title: the host's name, the open show's file name and its place in the list.
#include "preview/l_beamvista.h"

#include "foundation/files/fs_name.h"

void LBeamvista::SetName(const XAString& name)
{
    baseTitle_ = name;
    UpdateTitle();
}

void LBeamvista::UpdateTitle()
{
    title_ = baseTitle_;
    if (HasOpenShow()) {
        if (!baseTitle_.IsEmpty())
            title_ += " - ";
        title_ += XAFsName(CurrentPath()).FileNamePart();
        if (ShowCount() > 1)
            title_ += XAString::Format<int32_t, int32_t>(" (%d of %d)", CurrentIndex() + 1, ShowCount());
    }
    if (StatusCallback() == nullptr && HasWindow())
        window_->SetTitle(title_.CStr());
    NotifyStatus(kStatusTitle);
}
