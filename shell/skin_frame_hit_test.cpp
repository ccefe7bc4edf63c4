#include "shell/skin_frame_hit.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinHitTest, EllipseInsideTheImageRectangle)
{
    struct Case
    {
        RasterRect rect;
        int32_t x, y;
        bool hit;
    };
    const Case cases[] = {
        {{100, 100, 120, 120}, 110, 110, true},  // centre
        {{100, 100, 120, 120}, 100, 100, false}, // corner
        {{100, 100, 120, 120}, 119, 119, false},
        {{100, 100, 120, 120}, 100, 110, true}, // middle of the left side
        {{100, 100, 120, 120}, 119, 110, true},
        {{100, 100, 120, 120}, 120, 110, false}, // outside the rectangle
        {{216, 430, 229, 470}, 222, 450, true},  // the knob: centre
        {{216, 430, 229, 470}, 216, 430, false}, // corner
        {{216, 430, 229, 470}, 216, 450, true},
        {{216, 430, 229, 470}, 216, 433, false},
        {{216, 430, 229, 470}, 222, 430, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EllipseHit(c.rect, c.x, c.y), c.hit) << c.x << ", " << c.y;
}

SkinFrameState WithMode(bool skin, int32_t mode)
{
    SkinFrameState state;
    state.hasWindow = true;
    state.skin = skin;
    state.maximized = ApplyFrameMode(state, mode);
    return state;
}

struct FrameCase
{
    const char* name;
    SkinFrameState state;
    int32_t x, y;
    bool overElement;
    FrameHit hit;
};

TEST(SkinHitTest, FrameAnswersPerMode)
{
    using H = FrameHit;
    SkinFrameState child = WithMode(true, 0);
    child.style.child = true;
    const SkinFrameState skin = WithMode(true, 0);
    const SkinFrameState caption = WithMode(false, 0);
    const SkinFrameState thick = WithMode(false, 1);
    const SkinFrameState borderless = WithMode(false, 2);
    const FrameCase cases[] = {
        // Large skin, 640 x 480: corner reach 38, edges 6, caption down to row 33.
        {"skin corner 37", skin, 640 - 19, 480 - 18, false, H::kBottomRight},
        {"skin corner 38", skin, 640 - 19, 480 - 19, false, H::kClient},
        {"skin corner over element", skin, 639, 479, true, H::kBottomRight},
        {"skin left 5", skin, 5, 200, false, H::kLeft},
        {"skin left 6", skin, 6, 200, false, H::kClient},
        {"skin right", skin, 634, 200, false, H::kRight},
        {"skin top", skin, 300, 5, false, H::kTop},
        {"skin top left", skin, 2, 2, false, H::kTopLeft},
        {"skin top right", skin, 637, 2, false, H::kTopRight},
        {"skin bottom left", skin, 2, 477, false, H::kBottomLeft},
        {"skin caption 33", skin, 300, 33, false, H::kCaption},
        {"skin caption 34", skin, 300, 34, false, H::kClient},
        {"skin element in title", skin, 300, 10, true, H::kClient},
        // The control's child frame neither moves nor sizes.
        {"child corner", child, 639, 479, false, H::kClient},
        {"child edge", child, 2, 200, false, H::kClient},
        {"child title", child, 300, 10, false, H::kClient},
        // The window manager frames an ordinary window.
        {"caption edge", caption, 0, 0, false, H::kClient},
        // Our 4-pixel thick frame: its top moves the window.
        {"thick left 3", thick, 3, 200, false, H::kLeft},
        {"thick left 4", thick, 4, 200, false, H::kClient},
        {"thick top", thick, 300, 0, false, H::kCaption},
        {"thick top left", thick, 0, 0, false, H::kTopLeft},
        {"thick bottom right", thick, 639, 479, false, H::kBottomRight},
        // Borderless: nothing sizes or moves.
        {"borderless corner", borderless, 639, 479, false, H::kClient},
        {"borderless top", borderless, 300, 0, false, H::kClient},
    };
    for (const FrameCase& c : cases)
        EXPECT_EQ(SkinFrameHitTest(c.state, 640, 480, c.x, c.y, c.overElement), c.hit) << c.name;
}

} // namespace
