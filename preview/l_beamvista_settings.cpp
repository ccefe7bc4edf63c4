// Settings files, resets and background pictures. Until they are built nothing is chosen.
#include "preview/l_beamvista.h"

void LBeamvista::ChooseBackgroundImage(int32_t) {}

void LBeamvista::ResetParameters(bool, uint32_t) {}

bool LBeamvista::HasBackgroundPicture(int32_t slot) const
{
    return slot >= 0 && slot < static_cast<int32_t>(pictures_.size()) && !pictures_[slot].FileBytes().IsEmpty();
}
