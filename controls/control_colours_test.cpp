#include "controls/global_overrides_for_controls.h"
#include "controls/system_colours.h"

#include <gtest/gtest.h>

namespace {

SystemColourPalette::Table Uniform(RgbColour colour)
{
    SystemColourPalette::Table table;
    table.fill(colour);
    return table;
}

} // namespace

TEST(ControlColoursTest, TheTintedRolesOfWhite)
{
    const SystemColourPalette white(Uniform(kRgbWhite));
    ScopedSystemColours scope(white);
    EXPECT_EQ(ControlColour(kRoleCaptionFill), MakeRgb(229, 255, 229));
    EXPECT_EQ(ControlColour(kRoleBackOffDefault), MakeRgb(255, 229, 127));
}

TEST(ControlColoursTest, EveryRoleTakesItsDesktopColour)
{
    SystemColourPalette::Table table;
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = MakeRgb(static_cast<uint8_t>(10 * (i + 1)), 0, 0);
    const SystemColourPalette palette(table);
    ScopedSystemColours scope(palette);
    auto colourOf = [&](SystemColour which) { return palette.Get(which); };
    struct Case
    {
        int32_t role;
        SystemColour base;
    };
    const Case cases[] = {
        {0, SystemColour::kButtonText},      {1, SystemColour::kButtonFace},
        {2, SystemColour::kButtonHighlight}, {3, SystemColour::kButtonShadow},
        {4, SystemColour::k3dLight},         {5, SystemColour::k3dDarkShadow},
        {7, SystemColour::kButtonText},      {8, SystemColour::kButtonText},
        {9, SystemColour::kButtonText},      {10, SystemColour::kButtonShadow},
        {11, SystemColour::kWindowText},     {12, SystemColour::kWindow},
        {13, SystemColour::kWindowText},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlColour(c.role), colourOf(c.base)) << "role " << c.role;
    EXPECT_EQ(ControlColour(15), kRgbWhite);
    EXPECT_EQ(ControlColour(-1), kRgbWhite);
}

TEST(ControlColoursTest, TintsTruncateEachComponent)
{
    const SystemColourPalette grey(Uniform(MakeRgb(101, 99, 3)));
    ScopedSystemColours scope(grey);
    // 101 x 90 / 100 = 90.9, 99 x 110 / 100 = 108.9, 3 x 90 / 100 = 2.7.
    EXPECT_EQ(ControlColour(kRoleCaptionFill), MakeRgb(90, 108, 2));
    EXPECT_EQ(ControlColour(kRoleBackOffDefault), MakeRgb(111, 89, 1));
}
