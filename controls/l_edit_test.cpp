#include "controls/l_dialog_manager.h"
#include "controls/l_edit.h"
#include "controls/test_support/control_test_fixture.h"
#include "messaging/value_handler_bi_ref.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class EditTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    RecordingIntHandler number{"v", IntValue(3, 0, 10), sent};
    RecordingRealHandler real{"r", LValueDoubleFmt1(0.25, 0, 1, 0.001, 0, 1, 4, 0), sent};
    RecordingTextHandler text{"t", LValueString("a.png", 255, true, true), sent};
    LEditString edit;

    void SetUp() override
    {
        ASSERT_TRUE(number.ConnectRegistry("p.v", &registry));
        ASSERT_TRUE(real.ConnectRegistry("p.r", &registry));
        ASSERT_TRUE(text.ConnectRegistry("p.t", &registry));
        ASSERT_TRUE(edit.Create({168, 8, 223, 28}, panel.Window()));
        Bind("p.v");
    }

    void Bind(const char* key)
    {
        edit.Bind(key, &registry);
        edit.Window()->SetFocus();
        sent.Take();
    }

    void SetEnabled(const char* key, bool enabled)
    {
        LValueHandlerBiRef ref;
        ref.Attach(nullptr, key, &registry);
        ref.SendBool(0x10400, enabled, LValue::kItemEnabled);
    }

    // A left press at (10, 10) and a quick move 11 pixels up: the drag runs.
    void StartDrag(MouseButton button = MouseButton::kLeft)
    {
        PointerAt(edit, 10, 10);
        Press(edit, button, 10, 10);
        MoveTo(edit, 10, -1);
        ASSERT_TRUE(edit.IsDragging());
    }
};

} // namespace

TEST_F(EditTest, TypingSendsLiveThenEnterCommitsAndShowsTheStoredValue)
{
    Fake(edit).Type("1");
    Fake(edit).Type("12");
    EXPECT_EQ(Fake(edit).Text(), "12") << "the field's own changes do not rewrite it";
    EXPECT_TRUE(edit.OnKeyDown(kKeyReturn, false));
    EXPECT_EQ(sent.Take(), "v text 1030C 1 | v text 1020C 12 | v text 1040C 12");
    EXPECT_EQ(number.GetValue().GetInt(LValue::kItemValue), 10) << "12 is out of range: held at the maximum";
    EXPECT_EQ(Fake(edit).Text(), "10");
    EXPECT_FALSE(edit.IsChangePending());
    Fake(edit).Type("7");
    EXPECT_EQ(sent.Take(), "v text 1030C 7") << "a new run of typing opens a new gesture";
}

TEST_F(EditTest, EnterShowsARealInItsFormat)
{
    Bind("p.r");
    Fake(edit).Type("0.5");
    EXPECT_EQ(Fake(edit).Text(), "0.5");
    edit.OnKeyDown(kKeyReturn, false);
    EXPECT_EQ(Fake(edit).Text(), " 0.5000") << "the value's own text, its sign place included";
    EXPECT_EQ(sent.Take(), "r text 1030C 0.5 | r text 1040C 0.5");
}

TEST_F(EditTest, EscapePutsBackTheTextFromTheFocusAndCommitsIt)
{
    Fake(edit).Type("9");
    EXPECT_TRUE(edit.OnKeyDown(kKeyEscape, false));
    EXPECT_EQ(Fake(edit).Text(), "3");
    EXPECT_EQ(sent.Take(), "v text 1030C 9 | v text 1040C 3");
    EXPECT_EQ(number.GetValue().GetInt(LValue::kItemValue), 3);
    EXPECT_TRUE(edit.OnKeyDown(kKeyEscape, false));
    EXPECT_EQ(sent.Take(), "") << "nothing pending, nothing sent";
}

TEST_F(EditTest, LeavingTheFieldCommits)
{
    Fake(edit).Type("4");
    panel.Window()->SetFocus();
    EXPECT_EQ(sent.Take(), "v text 1030C 4 | v text 1040C 4");
    panel.Window()->SetFocus();
    edit.Window()->SetFocus();
    panel.Window()->SetFocus();
    EXPECT_EQ(sent.Take(), "");
}

TEST_F(EditTest, AChangeFromElsewhereRewritesTheFieldAndItsTint)
{
    LValueHandlerBiRef ref;
    ref.Attach(nullptr, "p.v", &registry);
    ref.SendInt(0x10400, 8, LValue::kItemValue);
    EXPECT_EQ(Fake(edit).Text(), "8");
    EXPECT_FALSE(edit.ShowsDefault());
    EXPECT_TRUE(Fake(edit).customColours);
    ref.SendReset(0x10400, LValue::kItemValue);
    EXPECT_TRUE(edit.ShowsDefault());
    EXPECT_FALSE(Fake(edit).customColours);
}

TEST_F(EditTest, PageKeysStepNumbersOnly)
{
    EXPECT_TRUE(edit.OnKeyDown(kKeyPageUp, false));
    EXPECT_TRUE(edit.OnKeyDown(kKeyPageDown, true));
    EXPECT_EQ(sent.Take(), "v step 1040C +100.00 | v step 1140C -100.00");
    EXPECT_EQ(number.GetValue().GetInt(LValue::kItemValue), 4 - 0) << "the fine step moves by a hundredth";
    Bind("p.t");
    edit.OnKeyDown(kKeyPageUp, false);
    EXPECT_EQ(sent.Take(), "");
}

TEST_F(EditTest, CtrlDResetsToTheDefault)
{
    Fake(edit).Type("6");
    edit.OnKeyDown(kKeyReturn, false);
    sent.Take();
    EXPECT_TRUE(edit.OnKeyDown('D', true));
    EXPECT_EQ(sent.Take(), "v reset 10708");
    EXPECT_EQ(Fake(edit).Text(), "3");
    EXPECT_FALSE(edit.OnKeyDown('D', false));
}

TEST_F(EditTest, OnlyAQuickVerticalMoveStartsADrag)
{
    struct Step
    {
        int32_t y;
        int64_t afterCs;
    };
    struct Case
    {
        const char* what;
        std::vector<Step> moves;
        bool drags;
    };
    const std::vector<Case> cases = {
        {"11 pixels at once", {{-1, 0}}, true},
        {"10 pixels at once", {{0, 0}}, false},
        {"11 pixels in 15 cs", {{5, 10}, {-1, 5}}, true},
        {"16 pixels slowly", {{5, 0}, {0, 25}, {-6, 25}}, false},
    };
    for (const Case& c : cases) {
        Press(edit, MouseButton::kLeft, 10, 10);
        for (const Step& step : c.moves) {
            AdvanceCs(step.afterCs);
            MoveTo(edit, 10, step.y);
        }
        EXPECT_EQ(edit.IsDragging(), c.drags) << c.what;
        Release(edit, MouseButton::kLeft, 10, 10);
        EXPECT_FALSE(Fake(edit).HasCapture()) << c.what;
        sent.Take();
    }
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(EditTest, ADragStepsByTheServersPointerAndHoldsItInPlace)
{
    StartDrag();
    EXPECT_EQ(environment.hideCount, 1);
    EXPECT_EQ(sent.Take(), "v step 10309 +0.00");
    // An event from before the last warp says 40 pixels; the server says 3.
    PointerAt(edit, 10, -4);
    edit.OnMouseMove(Mouse(MouseButton::kNone, 10, -40));
    EXPECT_EQ(sent.Take(), "v step 10209 +30.00");
    EXPECT_EQ(environment.pointer.y, edit.Window()->ClientToScreen(10, 10).y) << "back at the press point";
    MoveTo(edit, 10, 3);
    EXPECT_EQ(sent.Take(), "v step 10209 +100.00") << "the 30 units left over carry into the next step";
    EXPECT_EQ(number.GetValue().GetInt(LValue::kItemValue), 4);
    Release(edit, MouseButton::kLeft, 10, 10);
    EXPECT_EQ(sent.Take(), "v step 10409 +0.00");
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(EditTest, EveryEndOfADragShowsTheCursorOnce)
{
    struct Case
    {
        const char* what;
        std::function<void()> end;
    };
    const std::vector<Case> cases = {
        {"escape", [&] { edit.OnKeyDown(kKeyEscape, false); }},
        {"right click", [&] { Press(edit, MouseButton::kRight, 10, 10); }},
        {"capture lost",
         [&] {
             panel.Window()->CaptureMouse();
             edit.OnCaptureLost();
         }},
        {"focus lost", [&] { panel.Window()->SetFocus(); }},
        {"hidden", [&] { edit.Window()->Show(false); }},
    };
    for (const Case& c : cases) {
        edit.Window()->Show(true);
        edit.Window()->SetFocus();
        StartDrag();
        sent.Take();
        c.end();
        c.end();
        EXPECT_FALSE(edit.IsDragging()) << c.what;
        EXPECT_EQ(environment.hideCount, 0) << c.what;
        EXPECT_EQ(sent.Take(), "v step 10409 +0.00") << c.what;
        Release(edit, MouseButton::kLeft, 10, 10);
        panel.Window()->ReleaseMouse();
    }
}

TEST_F(EditTest, DestroyingTheFieldMidDragShowsTheCursor)
{
    StartDrag();
    edit.DestroyWindow();
    EXPECT_EQ(environment.hideCount, 0);
}

TEST_F(EditTest, TheMiddleButtonOrCtrlDragsFinely)
{
    StartDrag(MouseButton::kMiddle);
    MoveTo(edit, 10, -2);
    Release(edit, MouseButton::kMiddle, 10, 10);
    EXPECT_EQ(sent.Take(), "v step 11309 +0.00 | v step 11209 +10.00 | v step 10409 +10.00");
    StartDrag();
    MoveTo(edit, 10, -2, true);
    EXPECT_EQ(sent.Take(), "v step 10309 +10.00 | v step 11209 +20.00");
}

TEST_F(EditTest, ATextValueDragsThePointerButSendsNothing)
{
    Bind("p.t");
    StartDrag();
    MoveTo(edit, 10, 5);
    Release(edit, MouseButton::kLeft, 10, 10);
    EXPECT_EQ(sent.Take(), "");
    EXPECT_GE(environment.warps.size(), 2u);
}

TEST_F(EditTest, DisablingDuringADragWaitsForTheRelease)
{
    StartDrag();
    SetEnabled("p.v", false);
    EXPECT_TRUE(Fake(edit).IsEnabled());
    Release(edit, MouseButton::kLeft, 10, 10);
    EXPECT_FALSE(Fake(edit).IsEnabled());
    SetEnabled("p.v", true);
    EXPECT_TRUE(Fake(edit).IsEnabled());
}

TEST_F(EditTest, FocusIsReportedToThePanelWithFlagOne)
{
    LDialogManager stack;
    ASSERT_TRUE(stack.Create(kTemplatePanelStack, top));
    auto holder = std::make_shared<LDialog>();
    ASSERT_TRUE(holder->Create(kTemplateEmptyPanel, stack.Window()));
    ASSERT_TRUE(stack.AddDialog(holder, -1, "", true));
    struct Listener : LDialogManagerListener
    {
        void OnControlFocus(int32_t code) override { log += "focus" + std::to_string(code) + " "; }
        void OnControlKillFocus(int32_t code) override { log += "kill" + std::to_string(code) + " "; }
        void OnOpened(LDialogManager*) override {}
        void OnClosed(LDialogManager*) override {}
        std::string log;
    } listener;
    stack.SetListener(&listener);
    LEditString field;
    ASSERT_TRUE(field.Create({0, 0, 50, 20}, holder->Window()));
    field.Window()->SetFocus();
    holder->Window()->SetFocus();
    EXPECT_EQ(listener.log, "focus1 kill1 ");
}
