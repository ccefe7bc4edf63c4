#include "shell/skin_frame_style.h"

#include "shell/skin_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

SkinFrameState NewFrame()
{
    SkinFrameState state;
    state.hasWindow = true;
    ApplyFrameMode(state, 0);
    return state;
}

void TakeStep(SkinFrameState& state)
{
    const CaptionFrameStep step = NextCaptionFrameStep(state);
    state.skin = step.skin;
    state.maximized = ApplyFrameMode(state, step.mode);
}

struct Look
{
    bool skin;
    int32_t mode;
    bool menuBar;
    bool large;
    int32_t band;
    bool operator==(const Look&) const = default;
};

Look LookOf(const SkinFrameState& state)
{
    return {state.skin, GetFrameMode(state), state.menuBar, IsLargeSkin(state), OwnFrameBand(state)};
}

// Caption/Frame runs skin, ordinary window with caption and menu, thick frame, borderless, skin.
TEST(SkinFrameStyle, CaptionFrameCycleComesBackToTheSkin)
{
    SkinFrameState state = NewFrame();
    std::vector<Look> looks{LookOf(state)};
    for (int i = 0; i < 4; ++i) {
        TakeStep(state);
        looks.push_back(LookOf(state));
    }
    const std::vector<Look> expected = {
        {true, 0, false, true, 0}, {false, 0, true, false, 0}, {false, 1, false, false, 4},
        {false, 2, false, false, 0}, {true, 0, false, true, 0},
    };
    EXPECT_EQ(looks, expected);
}

TEST(SkinFrameStyle, FrameModesFromTheStyle)
{
    SkinFrameState state;
    EXPECT_EQ(GetFrameMode(state), 0); // no window
    state = NewFrame();
    state.skin = false;
    for (int32_t mode : {0, 1, 2, 3}) {
        state.maximized = ApplyFrameMode(state, mode);
        EXPECT_EQ(GetFrameMode(state), mode);
    }
    // Full screen with the skin flag paints no skin, and leaves the whole client to the view.
    state.skin = true;
    EXPECT_FALSE(IsSkinDrawn(state));
    EXPECT_EQ(SkinViewRect(state, 800, 600).bottom, 600);
}

// Starting with SkinMin still shows the large skin; without the skin the strip appears.
TEST(SkinFrameStyle, SkinMinShowsOnlyWithoutTheSkin)
{
    SkinFrameState state = NewFrame();
    state.skinMin = true;
    EXPECT_TRUE(IsLargeSkin(state));
    EXPECT_FALSE(HasPlaybackStrip(state));
    TakeStep(state);
    EXPECT_TRUE(HasPlaybackStrip(state));
    EXPECT_EQ(SkinViewRect(state, 640, 480).bottom, 480 - 34); // with the view's client edge
    state.viewClientEdge = false;
    EXPECT_EQ(SkinViewRect(state, 640, 480).bottom, 480 - 32);
}

TEST(SkinFrameStyle, ViewRectangleNeverNegative)
{
    const SkinFrameState state = NewFrame();
    const RasterRect view = SkinViewRect(state, 640, 480);
    EXPECT_EQ(view.left, 14);
    EXPECT_EQ(view.top, 34);
    EXPECT_EQ(view.right, 626);
    EXPECT_EQ(view.bottom, 419);
    // Heights below 95 and widths below 28 would give negative sizes: they are empty instead.
    const RasterRect tiny = SkinViewRect(state, 20, 90);
    EXPECT_EQ(tiny.right - tiny.left, 0);
    EXPECT_EQ(tiny.bottom - tiny.top, 0);
}

} // namespace
