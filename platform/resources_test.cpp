#include "platform/resources.h"

#include "platform/glyph_palette.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(ResourcesTest, LaterTablesWinAndMissingOnesAreNull)
{
    static const UiMenu sharedMenu{{UiMenuItem::Command(1, "Shared")}};
    static const UiMenu ownMenu{{UiMenuItem::Command(2, "Own")}};
    static const std::array sharedMenus{MenuResource{128, &sharedMenu}, MenuResource{144, &sharedMenu}};
    static const std::array ownMenus{MenuResource{144, &ownMenu}};
    static const std::array strings{StringResource{7, "seven"}};
    static const char* const glyph[] = {"kk", "  "};
    static const std::array tools{ToolbarButton{42081, glyph}};
    static const std::array toolbars{ToolbarResource{2155, tools}};
    static const ResourceTables shared{sharedMenus, {}, strings, {}, toolbars};
    static const ResourceTables own{ownMenus, {}, {}, {}, {}};

    EXPECT_EQ(FindMenuResource(128), nullptr);
    {
        ScopedResources sharedScope(shared);
        ScopedResources ownScope(own);
        EXPECT_EQ(FindMenuResource(128), &sharedMenu);
        EXPECT_EQ(FindMenuResource(144), &ownMenu);
        EXPECT_STREQ(FindStringResource(7), "seven");
        EXPECT_EQ(FindStringResource(8), nullptr);
        EXPECT_EQ(FindPictureResource(ResourceKind::Icon, 128), nullptr);
        ASSERT_NE(FindToolbarResource(2155), nullptr);
        EXPECT_EQ(FindToolbarResource(2155)->buttons[0].command, 42081);
        EXPECT_EQ(FindToolbarResource(2154), nullptr);
    }
    EXPECT_EQ(FindMenuResource(144), nullptr);
    EXPECT_FALSE(UninstallResources(&own));
}

TEST(GlyphPaletteTest, LettersNameTheSixteenColoursAndBlankIsTransparent)
{
    EXPECT_EQ(GlyphColour('k'), 0x000000u);
    EXPECT_EQ(GlyphColour('y'), 0x808000u);
    EXPECT_EQ(GlyphColour('Y'), 0xFFFF00u);
    EXPECT_EQ(GlyphColour('w'), 0xFFFFFFu);
    EXPECT_FALSE(GlyphColour(' '));
    EXPECT_FALSE(GlyphColour('z'));
}

TEST(UiMenuTest, RemovingACommandSearchesEverySubMenu)
{
    UiMenu menu{{UiMenuItem::SubMenu("&File", {UiMenuItem::Command(1, "A"), UiMenuItem::Command(2, "B")}),
                 UiMenuItem::SubMenu("&View", {UiMenuItem::SubMenu("Sub", {UiMenuItem::Command(2, "B")})})}};
    ASSERT_NE(menu.FindCommand(2), nullptr);
    EXPECT_TRUE(menu.RemoveCommand(2));
    EXPECT_EQ(menu.FindCommand(2), nullptr);
    EXPECT_NE(menu.FindCommand(1), nullptr);
    EXPECT_FALSE(menu.RemoveCommand(3));
}

} // namespace
