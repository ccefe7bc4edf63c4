#include "preview/background_picture_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(BackgroundPictureChoice, TheSlotSwitchChoosesBetweenTheUsersAndTheShowsPicture)
{
    struct Case
    {
        int switchValue;
        bool userFile;
        bool overrideSlots;
        bool user, show;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {0, true, false, false, false}, // off: neither
        {1, true, false, true, false},   {1, false, false, false, true}, // the user's replaces the show's
        {2, true, false, false, true},   {2, false, false, false, true},
        {0, true, true, false, true},    {1, true, true, false, true}, // the override shows the show's
    };
    for (const Case& c : cases) {
        const BackgroundSlotState slot{c.switchValue, c.userFile, true};
        EXPECT_EQ(DrawsUserPicture(slot, c.overrideSlots), c.user)
            << c.switchValue << c.userFile << c.overrideSlots;
        EXPECT_EQ(DrawsShowPicture(slot, c.overrideSlots), c.show)
            << c.switchValue << c.userFile << c.overrideSlots;
    }
}

TEST(BackgroundPictureChoice, WithoutAReadyShowPictureTheOverrideLeavesTheUsersPicture)
{
    const BackgroundSlotState slot{1, true, false};
    EXPECT_TRUE(DrawsUserPicture(slot, true));
}

} // namespace
