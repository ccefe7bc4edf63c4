#include "controls/l_spin.h"
#include "controls/test_support/control_test_fixture.h"
#include "messaging/value_handler_bi_ref.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr int32_t kWidth = 15;
constexpr int32_t kHeight = 20;

class SpinTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    RecordingIntHandler number{"v", IntValue(50, 0, 100), sent};
    LSpin spin;

    void SetUp() override
    {
        ASSERT_TRUE(number.ConnectRegistry("p.v", &registry));
        ASSERT_TRUE(spin.Create({223, 8, 223 + kWidth, 8 + kHeight}, panel.Window()));
        spin.Bind("p.v", &registry);
    }

    int32_t Value() { return number.GetValue().GetInt(LValue::kItemValue); }

    void Hold(int32_t y, MouseButton button = MouseButton::kLeft)
    {
        PointerAt(spin, 7, y);
        Press(spin, button, 7, y);
    }
};

} // namespace

TEST_F(SpinTest, AClickStepsOnceAndHoldingRepeatsAfterHalfASecond)
{
    Hold(2);
    EXPECT_EQ(sent.Take(), "v step 10309 +100.00");
    EXPECT_EQ(Value(), 51);
    EXPECT_TRUE(environment.HasTimer(*spin.Window(), LSpin::kRepeatTimerId));
    EXPECT_EQ(environment.timers.begin()->second, 40u);
    AdvanceCs(50);
    environment.Tick(*spin.Window());
    EXPECT_EQ(sent.Take(), "") << "50 centiseconds are not yet more than 50";
    AdvanceCs(1);
    environment.Tick(*spin.Window());
    environment.Tick(*spin.Window());
    EXPECT_EQ(sent.Take(), "v step 10209 +100.00 | v step 10209 +100.00");
    Release(spin, MouseButton::kLeft, 7, 2);
    EXPECT_EQ(sent.Take(), "v step 10409 +0.00");
    EXPECT_FALSE(environment.HasTimer(*spin.Window(), LSpin::kRepeatTimerId));
    EXPECT_EQ(Value(), 53);
    EXPECT_FALSE(Fake(spin).HasCapture());
}

TEST_F(SpinTest, HalvesAndTheMiddleBandFollowTheHeight)
{
    struct Case
    {
        int32_t height;
        int32_t y;
        const char* first; // what the press sends
    };
    const Case cases[] = {
        {20, 8, "v step 10309 +100.00"},
        {20, 9, ""},
        {20, 10, ""},
        {20, 11, "v step 10309 -100.00"},
        {21, 8, "v step 10309 +100.00"},
        {21, 9, ""},
        {21, 10, ""},
        {21, 11, "v step 10309 -100.00"},
        {4, 0, "v step 10309 +100.00"},
        {4, 1, ""},
        {4, 3, "v step 10309 -100.00"},
    };
    for (const Case& c : cases) {
        spin.Window()->Move({0, 0, kWidth, c.height}, false);
        Hold(c.y);
        EXPECT_EQ(sent.Take(), c.first) << c.height << " high, pressed at " << c.y;
        EXPECT_EQ(spin.IsDragging(), std::string(c.first).empty()) << c.height << " " << c.y;
        Release(spin, MouseButton::kLeft, 7, c.y);
        sent.Take();
    }
}

TEST_F(SpinTest, SevenPixelsTurnARepeatIntoADragWithoutEndingTheGesture)
{
    Hold(2);
    MoveTo(spin, 7, 8);
    EXPECT_TRUE(spin.IsRepeating());
    MoveTo(spin, 7, 9);
    EXPECT_FALSE(spin.IsRepeating());
    EXPECT_TRUE(spin.IsDragging());
    EXPECT_FALSE(environment.HasTimer(*spin.Window(), LSpin::kRepeatTimerId));
    EXPECT_EQ(environment.hideCount, 1);
    MoveTo(spin, 7, 7);
    Release(spin, MouseButton::kLeft, 7, 7);
    EXPECT_EQ(sent.Take(), "v step 10309 +100.00 | v step 10209 +20.00 | v step 10409 +20.00");
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(SpinTest, ADragStepsTenUnitsAPixelAndRecentres)
{
    Hold(10);
    EXPECT_EQ(sent.Take(), "");
    MoveTo(spin, 7, 7);
    EXPECT_EQ(sent.Take(), "v step 10209 +30.00");
    const RasterPoint centre = spin.Window()->ClientToScreen(kWidth / 2, kHeight / 2);
    EXPECT_EQ(environment.pointer.x, centre.x);
    EXPECT_EQ(environment.pointer.y, centre.y);
    // An event queued before the warp still says 7; the server says the pointer is at the centre.
    spin.OnMouseMove(Mouse(MouseButton::kNone, 7, 7));
    EXPECT_EQ(sent.Take(), "");
    MoveTo(spin, 7, 10 - 7);
    EXPECT_EQ(sent.Take(), "v step 10209 +100.00") << "the 30 units left carry over";
    EXPECT_EQ(Value(), 51);
    MoveTo(spin, 7, 10 - 1, true);
    EXPECT_EQ(sent.Take(), "v step 11209 +10.00");
}

TEST_F(SpinTest, TheMiddleButtonStepsFinely)
{
    Hold(2, MouseButton::kMiddle);
    Release(spin, MouseButton::kMiddle, 7, 2);
    // A hundredth of a step does not move an integer: the units stay in the accumulator.
    EXPECT_EQ(sent.Take(), "v step 11309 +100.00 | v step 10409 +100.00");
}

TEST_F(SpinTest, EveryInterruptionEndsTheGestureOnce)
{
    struct Case
    {
        const char* what;
        std::function<void()> interrupt;
    };
    const std::vector<Case> cases = {
        {"escape", [&] { spin.OnKeyDown(kKeyEscape, false); }},
        {"right click", [&] { Press(spin, MouseButton::kRight, 7, 2); }},
        {"focus lost", [&] { panel.Window()->SetFocus(); }},
        {"capture lost", [&] { panel.Window()->CaptureMouse(); }},
        {"hidden", [&] { spin.Window()->Show(false); }},
    };
    for (bool drag : {false, true}) {
        for (const Case& c : cases) {
            spin.Window()->Show(true);
            Hold(drag ? 10 : 2);
            sent.Take();
            c.interrupt();
            c.interrupt();
            Release(spin, MouseButton::kLeft, 7, 2);
            EXPECT_EQ(sent.Take(), "v step 10409 +0.00") << c.what << (drag ? " in a drag" : " in a repeat");
            EXPECT_FALSE(environment.HasTimer(*spin.Window(), LSpin::kRepeatTimerId)) << c.what;
            EXPECT_EQ(environment.hideCount, 0) << c.what;
            panel.Window()->ReleaseMouse();
        }
    }
}

TEST_F(SpinTest, DestroyingMidRepeatKillsTheTimer)
{
    Hold(2);
    spin.DestroyWindow();
    EXPECT_TRUE(environment.timers.empty());
}

TEST_F(SpinTest, DisablingDuringAGestureWaitsForTheRelease)
{
    LValueHandlerBiRef ref;
    ref.Attach(nullptr, "p.v", &registry);
    Hold(10);
    ref.SendBool(0x10400, false, LValue::kItemEnabled);
    EXPECT_TRUE(Fake(spin).IsEnabled());
    Release(spin, MouseButton::kLeft, 7, 10);
    EXPECT_FALSE(Fake(spin).IsEnabled());
    ref.SendBool(0x10400, true, LValue::kItemEnabled);
    EXPECT_TRUE(Fake(spin).IsEnabled());
}

TEST_F(SpinTest, ALimitClearsTheAccumulatorAndALongDragNeverStepsBackwards)
{
    Hold(10);
    MoveTo(spin, 7, 10 - 4000); // 40,000 units: saturates instead of wrapping
    EXPECT_EQ(Value(), 100);
    MoveTo(spin, 7, 10 + 10);
    EXPECT_EQ(Value(), 99) << "movement back acts at once";
    Release(spin, MouseButton::kLeft, 7, 10);
}

TEST_F(SpinTest, CtrlDResetsAndNothingElse)
{
    Hold(2);
    Release(spin, MouseButton::kLeft, 7, 2);
    sent.Take();
    EXPECT_TRUE(spin.OnKeyDown('D', true));
    EXPECT_EQ(sent.Take(), "v reset 10708");
    EXPECT_EQ(Value(), 50);
    EXPECT_FALSE(spin.OnKeyDown('D', false));
    EXPECT_EQ(sent.Take(), "");
}
