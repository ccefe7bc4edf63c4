#include "preview/background_picture_choice.h"

bool DrawsUserPicture(const BackgroundSlotState& slot, bool overrideSlots)
{
    if (slot.switchValue != 1 || !slot.userFileChosen)
        return false;
    return !(slot.showPictureReady && overrideSlots);
}

bool DrawsShowPicture(const BackgroundSlotState& slot, bool overrideSlots)
{
    if (overrideSlots)
        return true;
    if (slot.switchValue == 0)
        return false;
    return !(slot.switchValue == 1 && slot.userFileChosen);
}
