// The preview's mouse gestures on the real parameter handlers, with the other operations
// recorded. Events carry their own times (milliseconds of the display server's clock).
#include "params/test_support/beamvista_test_util.h"
#include "preview/mouse_gestures.h"
#include "preview/test_support/recording_operations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr uint32_t kPressTime = 5000;

LBeamvistaPars Live()
{
    LBeamvistaPars pars;
    pars.ReadFromParameters();
    return pars;
}

class MouseGesturesTest : public LiveParametersTest
{
  protected:
    MouseGesturesTest() { preview_.recordCursorWakes = false; }

    static UiMouseEvent At(int32_t x, int32_t y, uint32_t time, uint32_t buttons, uint32_t modifiers = 0)
    {
        return {{x, y}, modifiers, buttons, time};
    }
    void Press(uint32_t button, int32_t x, int32_t y, uint32_t modifiers = 0)
    {
        gestures_.OnButtonDown(button, At(x, y, kPressTime, button, modifiers));
    }
    void Move(int32_t x, int32_t y, uint32_t time, uint32_t buttons, uint32_t modifiers = 0)
    {
        gestures_.OnMove(At(x, y, time, buttons, modifiers));
    }

    RecordingOperations preview_;
    LMouseGestures gestures_{preview_};
};

TEST_F(MouseGesturesTest, ADragStartsAt16PixelsOrAfter333Milliseconds)
{
    struct Case
    {
        int32_t dx;
        int32_t dy;
        uint32_t afterMs;
        bool starts;
    };
    const Case cases[] = {
        {15, 0, 100, false}, {16, 0, 100, true}, {0, -15, 100, false}, {0, -16, 100, true},
        {1, 0, 333, false},  {1, 0, 334, true},  {0, 0, 400, true},
    };
    for (const Case& c : cases) {
        LMouseGestures gestures(preview_);
        gestures.OnButtonDown(kUiLeftButton, At(100, 100, kPressTime, kUiLeftButton));
        gestures.OnMove(At(100 + c.dx, 100 + c.dy, kPressTime + c.afterMs, kUiLeftButton));
        EXPECT_EQ(gestures.Dragging(), c.starts) << c.dx << ", " << c.dy << " after " << c.afterMs << " ms";
    }
}

TEST_F(MouseGesturesTest, TheTimeLimitHoldsAcrossTheClocksWrapAround)
{
    gestures_.OnButtonDown(kUiLeftButton, At(100, 100, 0xFFFFFF00u, kUiLeftButton));
    gestures_.OnMove(At(101, 100, 0x00000010u, kUiLeftButton));
    EXPECT_FALSE(gestures_.Dragging()) << "272 ms after the press";
    gestures_.OnMove(At(101, 100, 0x00000100u, kUiLeftButton));
    EXPECT_TRUE(gestures_.Dragging()) << "512 ms after the press";
}

TEST_F(MouseGesturesTest, LeftAndMiddleDragsMoveGraphicsAndScannerByModifierFactors)
{
    struct Case
    {
        uint32_t button;
        uint32_t modifiers;
        double factor;
    };
    const Case cases[] = {{kUiLeftButton, 0, 1},         {kUiLeftButton, kUiShift, 0.1},
                          {kUiLeftButton, kUiCtrl, 0.1}, {kUiLeftButton, kUiShift | kUiCtrl, 0.01},
                          {kUiMiddleButton, 0, 1},       {kUiMiddleButton, kUiCtrl, 0.1}};
    for (const Case& c : cases) {
        const LBeamvistaPars defaults;
        defaults.ApplyToParameters(kBeamvistaAllGroups);
        LMouseGestures gestures(preview_);
        gestures.OnButtonDown(c.button, At(100, 100, kPressTime, c.button));
        // Starts the drag (32 px right, 48 px down), then one more step of 64 px right.
        gestures.OnMove(At(132, 148, kPressTime + 10, c.button, c.modifiers));
        gestures.OnMove(At(196, 148, kPressTime + 20, c.button, c.modifiers));
        const LBeamvistaPars live = Live();
        const double x = 2.0 * (32 + 64) * c.factor / 640;
        const double y = -2.0 * 48 * c.factor / 480;
        const bool left = c.button == kUiLeftButton;
        SCOPED_TRACE(testing::Message() << "button " << c.button << " modifiers " << c.modifiers);
        EXPECT_NEAR(left ? live.o_graphics_pos_x : live.o_scanner_pos_x, x, 1e-4);
        EXPECT_NEAR(left ? live.o_graphics_pos_y : live.o_scanner_pos_y, y, 1e-4);
        EXPECT_FLOAT_EQ(left ? live.o_scanner_pos_x : live.o_graphics_pos_x, 0) << "the other pair stays";
        EXPECT_EQ(preview_.Take(), "Capture, MarkSizeShown, MarkSizeShown");
    }
}

TEST_F(MouseGesturesTest, ARightClickOpensTheMenuAndARightDragScrubsThenPlays)
{
    Press(kUiRightButton, 200, 200);
    gestures_.OnButtonUp(kUiRightButton, At(200, 200, kPressTime + 50, 0));
    EXPECT_EQ(preview_.Take(), "ShowContextMenu") << "the right button is never captured";

    Press(kUiRightButton, 200, 200);
    Move(300, 200, kPressTime + 10, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(1000000)") << "10 ms of show time a pixel";
    Move(290, 230, kPressTime + 20, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(-100000)");
    gestures_.OnButtonUp(kUiRightButton, At(290, 230, kPressTime + 30, 0));
    EXPECT_EQ(preview_.Take(), "Play");
    EXPECT_EQ(gestures_.Buttons(), 0u);
}

TEST_F(MouseGesturesTest, ARightDragStepsTheFrameSequenceEightPixelsAnItemCarryingTheRest)
{
    preview_.sequenceFrames = true;
    Press(kUiRightButton, 200, 200);
    Move(220, 200, kPressTime + 10, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(200000), StepSequence(2)");
    Move(224, 200, kPressTime + 20, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(80000), StepSequence(1)") << "4 pixels carried over";
    Move(205, 200, kPressTime + 30, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(-190000), StepSequence(-2)");
    Move(202, 200, kPressTime + 40, kUiRightButton);
    EXPECT_EQ(preview_.Take(), "Pause, SeekBy(-60000)") << "-6: no whole item, all carried";
}

TEST_F(MouseGesturesTest, DoubleClicksPutPositionsBackOrEmptyTheSequenceAndComeAsDownUpDoubleUp)
{
    LBeamvistaPars moved = Live();
    moved.o_graphics_size_x = 3;
    moved.o_graphics_pos_x = 0.5f;
    moved.o_graphics_pos_y = -0.5f;
    moved.o_scanner_pos_x = 0.25f;
    moved.o_fog_intensity = 0.5f;
    moved.ApplyToParameters(kBeamvistaAllGroups);

    Press(kUiLeftButton, 10, 10);
    gestures_.OnButtonUp(kUiLeftButton, At(10, 10, kPressTime + 50, 0));
    gestures_.OnDoubleClick(kUiLeftButton, At(10, 10, kPressTime + 100, kUiLeftButton));
    gestures_.OnButtonUp(kUiLeftButton, At(10, 10, kPressTime + 150, 0));
    EXPECT_EQ(preview_.Take(), "Capture, ReleaseCapture, Capture, ReleaseCapture");
    LBeamvistaPars live = Live();
    EXPECT_FLOAT_EQ(live.o_graphics_size_x, 1);
    EXPECT_FLOAT_EQ(live.o_graphics_pos_x, 0);
    EXPECT_FLOAT_EQ(live.o_graphics_pos_y, 0);
    EXPECT_FLOAT_EQ(live.o_scanner_pos_x, 0.25f) << "left leaves the scanner";
    EXPECT_FLOAT_EQ(live.o_fog_intensity, 0.5f) << "and everything else";

    gestures_.OnDoubleClick(kUiMiddleButton, At(10, 10, kPressTime + 200, kUiMiddleButton));
    gestures_.OnButtonUp(kUiMiddleButton, At(10, 10, kPressTime + 250, 0));
    EXPECT_FLOAT_EQ(Live().o_scanner_pos_x, 0);

    preview_.Take();
    gestures_.OnDoubleClick(kUiRightButton, At(10, 10, kPressTime + 300, kUiRightButton));
    gestures_.OnButtonUp(kUiRightButton, At(10, 10, kPressTime + 350, 0));
    EXPECT_EQ(preview_.Take(), "EmptySequence, ShowContextMenu");
}

TEST_F(MouseGesturesTest, ReleasesOutsideTheWindowDoNotLeaveButtonsHeld)
{
    // The capture went elsewhere: left and middle are no longer held, so a plain move is no drag.
    Press(kUiLeftButton, 100, 100);
    gestures_.OnCaptureLost();
    Move(300, 300, kPressTime + 500, 0);
    EXPECT_EQ(gestures_.Buttons(), 0u);
    EXPECT_FALSE(gestures_.Dragging());
    EXPECT_FLOAT_EQ(Live().o_graphics_pos_x, 0);
    preview_.Take();

    // The right button, never captured, came up outside during a scrub: play resumes, no menu.
    Press(kUiRightButton, 100, 100);
    Move(150, 100, kPressTime + 10, kUiRightButton);
    preview_.Take();
    Move(160, 100, kPressTime + 20, 0);
    EXPECT_EQ(preview_.Take(), "Play");
    EXPECT_EQ(gestures_.Buttons(), 0u);
    Move(170, 100, kPressTime + 30, 0);
    EXPECT_EQ(preview_.Take(), "") << "later moves neither seek nor pause";
}

TEST_F(MouseGesturesTest, MovesWakeTheCursor)
{
    preview_.recordCursorWakes = true;
    Move(100, 100, 0, 0);
    preview_.Take();
    Move(102, 100, 0, 0);
    EXPECT_EQ(preview_.Take(), "") << "2 pixels: still";
    Move(105, 100, 0, 0);
    EXPECT_EQ(preview_.Take(), "WakeCursor");

    preview_.cursorHidden = true;
    Move(137, 100, 0, 0);
    EXPECT_EQ(preview_.Take(), "") << "a hidden cursor wakes only beyond 32 pixels";
    Move(138, 100, 0, 0);
    EXPECT_EQ(preview_.Take(), "WakeCursor");
    preview_.nowCs += 26;
    Move(160, 100, 0, 0);
    Move(180, 100, 0, 0);
    EXPECT_EQ(preview_.Take(), "") << "after 0.25 s the reference moved along without waking";
}

TEST_F(MouseGesturesTest, TheWheelZoomsTheLargerSideAndKeepsTheRatio)
{
    struct Case
    {
        float x;
        float y;
        int32_t rotation;
        uint32_t modifiers;
        double expectedX;
        double expectedY;
    };
    const double fine = std::pow(1.1, 0.1);
    const Case cases[] = {
        {1, 0.5f, 120, 0, 1.1, 0.55},
        {-1, 0.5f, 120, 0, -1 / 1.1, 0.5 / 1.1},
        {1, 0.5f, -120, 0, 1 / 1.1, 0.5 / 1.1},
        {0.5f, 1, 120, 0, 0.55, 1.1},
        {1, 0.5f, 60, 0, std::sqrt(1.1), std::sqrt(1.1) / 2},
        {1, 0.5f, 120, kUiShift, fine, fine / 2},
        {1, 0.5f, 120, kUiCtrl | kUiShift, std::pow(1.1, 0.01), std::pow(1.1, 0.01) / 2},
        {0.005f, 0.001f, 120, 0, 0.006, 0.0012},
        {0, 0, 120, 0, 0.001, 0.001},
        {0, 0, -120, 0, -0.001, -0.001},
    };
    for (const Case& c : cases) {
        LBeamvistaPars pars = Live();
        pars.o_graphics_size_x = c.x;
        pars.o_graphics_size_y = c.y;
        pars.ApplyToParameters(kBeamvistaAllGroups);
        EXPECT_TRUE(gestures_.OnWheel(c.rotation, c.modifiers, {320, 240}));
        const LBeamvistaPars live = Live();
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " turned " << c.rotation);
        EXPECT_NEAR(live.o_graphics_size_x, c.expectedX, 1e-4);
        EXPECT_NEAR(live.o_graphics_size_y, c.expectedY, 1e-4);
        EXPECT_EQ(preview_.Take(), "MarkSizeShown");
    }
}

TEST_F(MouseGesturesTest, TheWheelOutsideTheClientAreaIsNotTaken)
{
    for (const UiPoint at : {UiPoint{-1, 10}, UiPoint{640, 10}, UiPoint{10, 480}, UiPoint{10, -1}})
        EXPECT_FALSE(gestures_.OnWheel(120, 0, at));
    EXPECT_FLOAT_EQ(Live().o_graphics_size_x, 1);
    EXPECT_EQ(preview_.Take(), "");
}

} // namespace
