#include "controls/l_spin_xy.h"
#include "controls/test_support/control_test_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kSide = 21; // centre (10, 10)

class SpinXYTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    RecordingIntHandler x{"x", IntValue(4, -1000, 1000), sent};
    RecordingIntHandler y{"y", IntValue(2, -1000, 1000), sent};
    RecordingRealHandler realY{"ry", LValueDoubleFmt1(2, -1000, 1000, 0.01, 0, 1, 4, 0), sent};
    LSpinXY spin;

    void SetUp() override
    {
        ASSERT_TRUE(x.ConnectRegistry("p.x", &registry));
        ASSERT_TRUE(y.ConnectRegistry("p.y", &registry));
        ASSERT_TRUE(realY.ConnectRegistry("p.ry", &registry));
        ASSERT_TRUE(spin.Create({0, 0, kSide, kSide}, panel.Window()));
    }

    void Drag(int32_t dx, int32_t dy)
    {
        PointerAt(spin, 10, 10);
        MouseEvent press = Mouse(MouseButton::kLeft, 10, 10);
        press.timeMs = pressTime_ += 10000;
        spin.OnMouseDown(press);
        MoveTo(spin, 10 + dx, 10 + dy);
        Release(spin, MouseButton::kLeft, 10, 10);
    }

    void Set(RecordingIntHandler& handler, int32_t value)
    {
        handler.GetValue().SetAll(value, -1000, 1000, 0.01, 0, true, true);
    }

  private:
    uint32_t pressTime_ = 0;
};

} // namespace

TEST_F(SpinXYTest, IndependentAxesFollowTheirOwnDirection)
{
    spin.Bind("p.x", "p.y", &registry);
    Drag(2, -3);
    EXPECT_EQ(sent.Take(),
              "x step 10209 +20.00 | y step 10209 +30.00 | x step 10409 +20.00 | y step 10409 +30.00");
    Drag(0, -10);
    EXPECT_EQ(sent.Take(), "y step 10209 +130.00 | x step 10409 +20.00 | y step 10409 +30.00");
    EXPECT_EQ(y.GetValue().GetInt(LValue::kItemValue), 3);
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(SpinXYTest, LinkedIntegersKeepTheirRatioRoundingHalfAwayFromZero)
{
    struct Case
    {
        int32_t x, y;
        int32_t dy; // pixels down
        bool xLeads;
        double ratio;
        int32_t x2, y2;
    };
    const Case cases[] = {
        {4, 2, -10, true, 0.5, 5, 3},    // 2.5 becomes 3
        {-4, -2, 10, true, 0.5, -5, -3}, // -2.5 becomes -3, not -2
        {2, 4, -10, false, 0.5, 3, 5},   // 2.5 becomes 3
        {0, 0, -10, true, 1.0, 1, 1},    {0, 3, -10, false, 0.0, 0, 4},
    };
    for (const Case& c : cases) {
        Set(x, c.x);
        Set(y, c.y);
        spin.RepaintAndBind(1, "p.x", "p.y", &registry);
        PointerAt(spin, 10, 10);
        MouseEvent press = Mouse(MouseButton::kLeft, 10, 10);
        press.timeMs = 10000 * (&c - cases + 1); // never a double click
        spin.OnMouseDown(press);
        EXPECT_TRUE(spin.IsLinked());
        EXPECT_EQ(spin.XLeads(), c.xLeads) << c.x << "/" << c.y;
        EXPECT_DOUBLE_EQ(spin.Ratio(), c.ratio) << c.x << "/" << c.y;
        MoveTo(spin, 10, 10 + c.dy);
        Release(spin, MouseButton::kLeft, 10, 10);
        EXPECT_EQ(x.GetValue().GetInt(LValue::kItemValue), c.x2) << c.x << "/" << c.y;
        EXPECT_EQ(y.GetValue().GetInt(LValue::kItemValue), c.y2) << c.x << "/" << c.y;
        sent.Take();
    }
}

TEST_F(SpinXYTest, LinkedModeIgnoresHorizontalMovementAndSetsTheFollower)
{
    spin.RepaintAndBind(1, "p.x", "p.y", &registry);
    Drag(5, -10);
    EXPECT_EQ(sent.Take(), "x step 10209 +100.00 | y int 10209 3 | x step 10409 +0.00 | y step 10409 +0.00");
}

TEST_F(SpinXYTest, MixedTypesDragIndependentlyEvenWhenLinked)
{
    spin.RepaintAndBind(1, "p.x", "p.ry", &registry);
    Drag(1, -1);
    EXPECT_FALSE(spin.IsLinked());
    EXPECT_EQ(sent.Take(),
              "x step 10209 +10.00 | ry step 10209 +10.00 | x step 10409 +10.00 | ry step 10409 +0.00");
}

TEST_F(SpinXYTest, ASecondPressNearAndSoonResetsBoth)
{
    spin.Bind("p.x", "p.y", &registry);
    Set(x, 7);
    struct Case
    {
        const char* what;
        int32_t dx, dy;
        uint32_t afterMs;
        bool resets;
    };
    const Case cases[] = {
        {"inside", 4, 4, 400, true},
        {"too far across", 5, 0, 100, false},
        {"too far down", 0, 5, 100, false},
        {"too late", 0, 0, 401, false},
    };
    uint32_t time = 1000;
    for (const Case& c : cases) {
        MouseEvent first = Mouse(MouseButton::kLeft, 5, 5);
        first.timeMs = time += 5000;
        PointerAt(spin, 5, 5);
        spin.OnMouseDown(first);
        spin.OnMouseUp(first);
        sent.Take();
        MouseEvent second = Mouse(MouseButton::kLeft, 5 + c.dx, 5 + c.dy);
        second.timeMs = time + c.afterMs;
        spin.OnMouseDown(second);
        EXPECT_EQ(sent.Take(), c.resets ? "x reset 10708 | y reset 10708" : "") << c.what;
        EXPECT_EQ(spin.IsDragging(), !c.resets) << c.what;
        spin.OnMouseUp(second);
        time += 5000;
    }
}

TEST_F(SpinXYTest, ARightClickOrTheToolkitsDoubleClickResetsBoth)
{
    spin.Bind("p.x", "p.y", &registry);
    Press(spin, MouseButton::kLeft, 10, 10);
    Press(spin, MouseButton::kRight, 10, 10);
    EXPECT_EQ(sent.Take(), "x step 10409 +0.00 | y step 10409 +0.00 | x reset 10708 | y reset 10708");
    EXPECT_FALSE(spin.IsDragging());
    Press(spin, MouseButton::kLeft, 10, 10, true);
    EXPECT_EQ(sent.Take(), "x reset 10708 | y reset 10708");
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(SpinXYTest, TheGlyphMarksTheMode)
{
    for (int32_t mode : {0, 1}) {
        spin.RepaintAndBind(mode, "p.x", "p.y", &registry);
        auto picture = Fake(spin).Paint();
        auto at = [&](int32_t px, int32_t py) {
            const uint8_t* p = picture->PixelAt(px, py);
            return MakeRgb(p[2], p[1], p[0]);
        };
        const RgbColour ink = at(10, 4); // the tip of the up arrow
        EXPECT_EQ(at(10, 16), ink);      // the tip of the down arrow
        EXPECT_EQ(at(4, 10), ink);
        EXPECT_EQ(at(16, 10), ink);
        EXPECT_EQ(at(12, 10) == ink, mode == 0) << "the cross reaches 3 pixels";
        EXPECT_EQ(at(11, 11) == ink, mode == 1) << "the square fills the corner";
    }
}
