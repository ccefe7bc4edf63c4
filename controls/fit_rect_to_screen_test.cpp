#include "controls/fit_rect_to_screen.h"

#include <gtest/gtest.h>

namespace {

ScreenAreas OneMonitor(ScreenRect workArea)
{
    ScreenAreas screens;
    screens.monitorsListed = true;
    screens.monitorWorkAreas = {workArea};
    return screens;
}

struct FitCase
{
    const char* what;
    ScreenRect rect;
    int32_t margin;
    ScreenRect expected;
    bool moved;
};

TEST(FitRectToScreen, KeepsTheRectangleOnOneWorkArea)
{
    const ScreenAreas screens = OneMonitor({0, 0, 1024, 768});
    const FitCase cases[] = {
        {"100 past the right edge, margin 0", {1024 - 300, 10, 1024 + 100, 210}, 0, {624, 10, 1024, 210}, true},
        {"margin 40, width 200: moves 60", {1024 - 100, 10, 1024 + 100, 210}, 40, {864, 10, 1064, 210}, true},
        {"the margin is at most half the size", {1010, 10, 1050, 50}, 100, {1004, 10, 1044, 50}, true},
        {"inside stays", {10, 10, 300, 200}, 0, {10, 10, 300, 200}, false},
        {"above and left", {-50, -40, 150, 160}, 0, {0, 0, 200, 200}, true},
        {"below", {10, 700, 110, 800}, 0, {10, 668, 110, 768}, true},
        {"larger than the area: left and top", {-10, -10, 2000, 1000}, 0, {0, 0, 2010, 1010}, true},
        {"far outside, no overflow", {2147483000, 2147483000, 2147483600, 2147483600}, 0, {424, 168, 1024, 768},
         true},
    };
    for (const FitCase& c : cases) {
        ScreenRect rect = c.rect;
        EXPECT_EQ(FitRectToScreen(rect, c.margin, screens), c.moved) << c.what;
        EXPECT_EQ(rect, c.expected) << c.what;
    }
}

TEST(FitRectToScreen, TwoMonitorsWithAGapFormOneBoundingArea)
{
    ScreenAreas screens;
    screens.monitorsListed = true;
    screens.monitorWorkAreas = {ScreenRect{0, 0, 1024, 768}, std::nullopt, ScreenRect{1124, 100, 2048, 868}};
    EXPECT_EQ(ScreenWorkArea(screens), (ScreenRect{0, 0, 2048, 868}));
    // A window in the gap between the two is inside the bounding rectangle and stays.
    ScreenRect inGap{1030, 800, 1120, 860};
    EXPECT_FALSE(FitRectToScreen(inGap, 0, screens));
    ScreenRect pastBoth{1900, 10, 2100, 110};
    EXPECT_TRUE(FitRectToScreen(pastBoth, 0, screens));
    EXPECT_EQ(pastBoth, (ScreenRect{1848, 10, 2048, 110}));
}

TEST(FitRectToScreen, FallsBackWhenTheMonitorsAreUnknown)
{
    const ScreenRect primaryWork{0, 0, 800, 570};
    const ScreenRect primaryScreen{0, 0, 800, 600};
    struct Case
    {
        const char* what;
        ScreenAreas screens;
        std::optional<ScreenRect> area;
    };
    const Case cases[] = {
        {"listing failed: the primary work area", {false, {ScreenRect{0, 0, 4000, 4000}}, primaryWork, primaryScreen},
         primaryWork},
        {"no monitor readable: the primary work area", {true, {std::nullopt}, primaryWork, primaryScreen}, primaryWork},
        {"no work area: the primary screen", {false, {}, std::nullopt, primaryScreen}, primaryScreen},
        {"nothing known", {false, {}, std::nullopt, ScreenRect{}}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenWorkArea(c.screens), c.area) << c.what;
        ScreenRect rect{700, 550, 900, 650};
        const ScreenRect before = rect;
        const bool moved = FitRectToScreen(rect, 0, c.screens);
        EXPECT_EQ(moved, c.area.has_value()) << c.what;
        if (c.area) {
            EXPECT_EQ(rect.right, c.area->right) << c.what;
            EXPECT_EQ(rect.bottom, c.area->bottom) << c.what;
        } else {
            EXPECT_EQ(rect, before) << c.what;
        }
    }
}

} // namespace
