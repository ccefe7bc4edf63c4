// The check box, the bound button and the panel header: clicks, keys, double clicks, what they
// send and how they look.
#include "controls/global_overrides_for_controls.h"
#include "controls/l_button.h"
#include "controls/l_checkbox.h"
#include "controls/system_colours.h"
#include "controls/test_support/control_test_fixture.h"

#include <gtest/gtest.h>

namespace {

class PushControlsTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    RecordingIntHandler value{"v", IntValue(0, 0, 1), sent};

    void SetUp() override { ASSERT_TRUE(value.ConnectRegistry("p.v", &registry)); }

    std::unique_ptr<LCheckbox> MakeBox()
    {
        auto box = std::make_unique<LCheckbox>();
        EXPECT_TRUE(box->Create("Fog", {15, 8, 165, 28}, panel.Window()));
        box->Bind("p.v", &registry);
        return box;
    }
};

RgbColour PixelAt(RasterBitmap& bitmap, int32_t x, int32_t y)
{
    const uint8_t* p = bitmap.PixelAt(x, y);
    return MakeRgb(p[2], p[1], p[0]);
}

// A palette in which every desktop colour can be told apart.
SystemColourPalette::Table DistinctColours()
{
    return {MakeRgb(1, 1, 1),       MakeRgb(200, 200, 200), MakeRgb(250, 250, 250), MakeRgb(120, 120, 120),
            MakeRgb(220, 220, 220), MakeRgb(60, 60, 60),    MakeRgb(2, 2, 2),       MakeRgb(255, 255, 255)};
}

} // namespace

TEST_F(PushControlsTest, ACheckBoxAdvancesThroughItsRange)
{
    for (int32_t maximum : {1, 2}) {
        RecordingIntHandler cycling("c", IntValue(0, 0, maximum), sent);
        ASSERT_TRUE(cycling.ConnectRegistry("p.c", &registry));
        LCheckbox box;
        ASSERT_TRUE(box.Create("Cycle", {0, 0, 100, 20}, panel.Window()));
        box.Bind("p.c", &registry);
        std::string shown;
        for (int32_t i = 0; i <= maximum + 1; ++i) {
            Click(box);
            shown += std::to_string(box.ShownValue());
        }
        EXPECT_EQ(shown, maximum == 1 ? "101" : "1201");
        for (const std::string& line : sent.lines)
            EXPECT_EQ(line, "c advance 10408");
        sent.Take();
    }
}

TEST_F(PushControlsTest, ClicksReleaseInsideOnly)
{
    auto box = MakeBox();
    struct Case
    {
        const char* what;
        int32_t releaseX;
        bool moveOut;
        bool doubleClick;
        int32_t expected;
    };
    const Case cases[] = {
        {"release inside", 5, false, false, 1},
        {"release outside", 400, false, false, 0},
        {"out and back in", 5, true, false, 1},
        {"the second press of a double click", 5, false, true, 0},
    };
    for (const Case& c : cases) {
        const int32_t before = box->ShownValue();
        Press(*box, MouseButton::kLeft, 5, 5, c.doubleClick);
        if (c.moveOut) {
            box->OnMouseMove(Mouse(MouseButton::kNone, 400, 5));
            box->OnMouseMove(Mouse(MouseButton::kNone, 5, 5));
        }
        Release(*box, MouseButton::kLeft, c.releaseX, 5);
        EXPECT_EQ((box->ShownValue() + 2 - before) % 2, c.expected) << c.what;
        EXPECT_FALSE(Fake(*box).HasCapture()) << c.what;
    }
}

TEST_F(PushControlsTest, TheMiddleButtonAndSpaceClickToo)
{
    auto box = MakeBox();
    Click(*box, MouseButton::kMiddle);
    EXPECT_EQ(box->ShownValue(), 1);
    EXPECT_TRUE(box->OnKeyDown(kKeySpace, false));
    EXPECT_EQ(box->ShownValue(), 0);
    Click(*box, MouseButton::kRight);
    EXPECT_EQ(box->ShownValue(), 0);
    EXPECT_EQ(sent.Take(), "v advance 10408 | v advance 10408");
}

TEST_F(PushControlsTest, CaptureLostDuringAPressClicksNothing)
{
    auto box = MakeBox();
    Press(*box, MouseButton::kLeft, 5, 5);
    panel.Window()->CaptureMouse();
    Release(*box, MouseButton::kLeft, 5, 5);
    EXPECT_EQ(sent.Take(), "");
}

TEST_F(PushControlsTest, CtrlDResetsOnlyAValueWithADefault)
{
    auto box = MakeBox();
    Click(*box);
    sent.Take();
    EXPECT_TRUE(box->OnKeyDown('D', true));
    EXPECT_EQ(sent.Take(), "v reset 10708");
    EXPECT_EQ(box->ShownValue(), 0);
    EXPECT_FALSE(box->OnKeyDown('D', false));

    RecordingIntHandler plain("u", IntValue(1, 0, 1, false), sent);
    ASSERT_TRUE(plain.ConnectRegistry("p.u", &registry));
    box->Bind("p.u", &registry);
    EXPECT_FALSE(box->OnKeyDown('D', true));
    EXPECT_EQ(sent.Take(), "");
    EXPECT_TRUE(box->ShowsDefault()) << "a value without a default is never tinted";
}

TEST_F(PushControlsTest, AnUnknownNameStaysEnabledAndSendsNowhere)
{
    LCheckbox box;
    ASSERT_TRUE(box.Create("Lost", {0, 0, 100, 20}, panel.Window()));
    box.Bind("p.nothing", &registry);
    Click(box);
    EXPECT_TRUE(Fake(box).IsEnabled());
    EXPECT_EQ(box.ShownValue(), 0);
    EXPECT_EQ(sent.Take(), "");
}

TEST_F(PushControlsTest, ABoxIsFilledByItsState)
{
    const SystemColourPalette palette(DistinctColours());
    ScopedSystemColours scope(palette);
    RecordingIntHandler three("t", IntValue(0, 0, 2), sent);
    ASSERT_TRUE(three.ConnectRegistry("p.t", &registry));
    LCheckbox box;
    ASSERT_TRUE(box.Create("Third", {0, 0, 120, 21}, panel.Window()));
    box.Bind("p.t", &registry);
    // The box's inside starts at (2, (21 - 13) / 2 + 2) = (2, 6); (8, 12) is inside, off the tick.
    struct Case
    {
        const char* what;
        int32_t clicks;
        bool pressed;
        bool enabled;
        int32_t fillRole;
    };
    const Case cases[] = {
        {"at default", 0, false, true, kRoleBoxAtDefault},
        {"off default", 1, false, true, kRoleBackOffDefault},
        {"third state", 1, false, true, kRoleHighlight},
        {"pressed", 0, true, true, kRoleButtonFace},
        {"disabled at default", 1, false, false, kRoleButtonFace},
        {"disabled off default", 1, false, false, kRoleBackOffDefault},
    };
    for (const Case& c : cases) {
        Fake(box).Enable(true);
        for (int32_t i = 0; i < c.clicks; ++i)
            Click(box);
        Fake(box).Enable(c.enabled);
        if (c.pressed)
            Press(box, MouseButton::kLeft, 3, 3);
        auto picture = Fake(box).Paint();
        EXPECT_EQ(PixelAt(*picture, 9, 13), ControlColour(c.fillRole)) << c.what;
        if (c.pressed)
            Release(box, MouseButton::kLeft, 300, 3);
    }
}

TEST_F(PushControlsTest, TheTickLeavesOutItsEndPixels)
{
    const SystemColourPalette palette(DistinctColours());
    ScopedSystemColours scope(palette);
    auto box = MakeBox();
    Click(*box);
    box->Bind("p.v", &registry);
    auto picture = Fake(*box).Paint();
    // Box at (0, 3), inside from (2, 5); the tick's first line (x+1, y+3)-(x+3, y+5)-(x+8, y).
    const RgbColour tick = ControlColour(kRoleTextOffDefault);
    EXPECT_EQ(PixelAt(*picture, 3, 8), tick);
    EXPECT_EQ(PixelAt(*picture, 5, 10), tick);
    EXPECT_EQ(PixelAt(*picture, 9, 6), tick);
    EXPECT_NE(PixelAt(*picture, 10, 5), tick) << "the last point of a polyline is not drawn";
    EXPECT_NE(PixelAt(*picture, 10, 7), tick);
}

TEST_F(PushControlsTest, ButtonsClickTwiceOnADoubleClickAndToggleByState)
{
    RecordingIntHandler count("n", IntValue(0, 0, 10), sent);
    ASSERT_TRUE(count.ConnectRegistry("p.n", &registry));
    LButton plain;
    ASSERT_TRUE(plain.Create("&Go", {0, 0, 60, 20}, panel.Window(), false));
    plain.Bind("p.n", &registry);
    Click(plain);
    Click(plain, MouseButton::kLeft, 2, 2, true);
    EXPECT_EQ(sent.Take(), "n advance 10408 | n advance 10408");
    EXPECT_EQ(count.GetValue().GetInt(LValue::kItemValue), 2);

    LButton toggle;
    ASSERT_TRUE(toggle.Create("On", {0, 30, 60, 50}, panel.Window(), true));
    toggle.Bind("p.v", &registry);
    Click(toggle);
    Click(toggle);
    EXPECT_EQ(sent.Take(), "v int 10408 1 | v int 10408 0");
}

TEST_F(PushControlsTest, AToggleShownOnIsSunkAndHalftoned)
{
    const SystemColourPalette palette(DistinctColours());
    ScopedSystemColours scope(palette);
    LButton toggle;
    ASSERT_TRUE(toggle.Create("", {0, 0, 40, 20}, panel.Window(), true));
    toggle.Bind("p.v", &registry);
    auto off = Fake(toggle).Paint();
    EXPECT_EQ(PixelAt(*off, 0, 0), ControlColour(kRoleHighlight));
    EXPECT_EQ(PixelAt(*off, 5, 5), ControlColour(kRoleButtonFace));
    Click(toggle);
    auto on = Fake(toggle).Paint();
    EXPECT_EQ(PixelAt(*on, 0, 0), ControlColour(kRoleShadow));
    EXPECT_EQ(PixelAt(*on, 5, 5), ControlColour(kRoleButtonFace));
    EXPECT_EQ(PixelAt(*on, 6, 5), ControlColour(kRoleHighlight));
}
