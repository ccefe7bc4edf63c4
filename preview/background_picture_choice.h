#pragma once
// Which background pictures are drawn: the user's picture of a slot, or the open show's own.
// A slot's switch: 0 off, 1 the user's picture (when one is chosen), 2 the show's picture.

struct BackgroundSlotState
{
    int switchValue = 2;
    bool userFileChosen = false;   // the slot's file-name parameter is not empty
    bool showPictureReady = false; // the show's picture of the slot has a ready texture
};

// overrideSlots: the show picture set's override flag.
bool DrawsUserPicture(const BackgroundSlotState& slot, bool overrideSlots);
bool DrawsShowPicture(const BackgroundSlotState& slot, bool overrideSlots);
