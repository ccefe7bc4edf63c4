#include "controls/control_painter.h"
#include "controls/dialog_template.h"
#include "controls/global_overrides_for_controls.h"
#include "controls/l_checkbox.h"
#include "controls/l_dialog_manager.h"
#include "controls/system_colours.h"
#include "controls/test_support/control_test_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t kClientHeight = 200;

class RecordingListener : public LDialogManagerListener
{
  public:
    void OnControlFocus(int32_t code) override { events.push_back("focus " + std::to_string(code)); }
    void OnControlKillFocus(int32_t code) override { events.push_back("kill " + std::to_string(code)); }
    void OnOpened(LDialogManager*) override { events.push_back("opened"); }
    void OnClosed(LDialogManager*) override { events.push_back("closed"); }
    std::vector<std::string> events;
};

// A stack whose client area is 200 pixels high, holding panels 310 wide of the given heights:
// headers at 5 + 23 k..., content 408 pixels for 100, 150, 80.
class StackTest : public ::testing::Test, public ControlTestFixture
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(stack.Create(kTemplatePanelStack, top));
        Fake(stack).Move({0, 0, 340 + FakeControlWindow::kScrollBarWidth, kClientHeight}, false);
    }

    std::shared_ptr<LDialog> AddPanel(int32_t height, bool expanded = true, int32_t width = 310)
    {
        auto panel = std::make_shared<LDialog>();
        EXPECT_TRUE(panel->Create(kTemplateEmptyPanel, stack.Window()));
        panel->Window()->Move({0, 0, width, height}, false);
        EXPECT_TRUE(stack.AddDialog(panel, -1, "Panel", expanded));
        return panel;
    }

    void AddThree()
    {
        for (int32_t height : {100, 150, 80})
            panels.push_back(AddPanel(height));
    }

    LDialogManager stack;
    std::vector<std::shared_ptr<LDialog>> panels;
};

} // namespace

TEST_F(StackTest, PanelsStandUnderTheirHeaders)
{
    AddThree();
    EXPECT_EQ(stack.ContentHeight(), 408);
    const RasterRect header = stack.HeaderAt(1)->Window()->Rect();
    EXPECT_EQ(header.left, 10);
    EXPECT_EQ(header.top, 5 + 18 + 1 + 100 + 3 + 5 - 1);
    EXPECT_EQ(header.right - header.left, 298);
    EXPECT_EQ(header.bottom - header.top, 18);
    const RasterRect second = panels[1]->Window()->Rect();
    EXPECT_EQ(second.left, 4);
    EXPECT_EQ(second.top, header.bottom + 1);
    EXPECT_EQ(Fake(*panels[1]).TabPredecessor(), stack.HeaderAt(1)->Window());
    EXPECT_EQ(stack.GetPreferredWidth(), 310 + 3 + FakeControlWindow::kScrollBarWidth + 8);
}

TEST_F(StackTest, NarrowerPanelsAreCentredByIntegerDivision)
{
    panels.push_back(AddPanel(40, true, 310));
    panels.push_back(AddPanel(40, true, 301));
    EXPECT_EQ(panels[1]->Window()->Rect().left, (310 - 301 + 8) / 2);
}

TEST_F(StackTest, TheWheelScrollsWholeNotchesOnly)
{
    AddThree();
    struct Case
    {
        std::vector<int32_t> rotations;
        int32_t position;
    };
    const std::vector<Case> cases = {
        {{60}, 0},         {{-240}, 64},        {{-240, 60}, 64}, {{-240, 60, 60}, 32},
        {{-1200}, 208},                         // clamped by the content: 408 - 200
        {{-240, 120}, 32}, {{-60, 60, -60}, 0}, // a turn back drops what was left
    };
    for (const Case& c : cases) {
        stack.OnScroll(ScrollCode::kTop);
        stack.OnMouseWheel(-1); // starts every case with nothing left over
        stack.OnMouseWheel(1);
        for (int32_t rotation : c.rotations)
            stack.OnMouseWheel(rotation);
        EXPECT_EQ(stack.ScrollPosition(), c.position)
            << c.rotations.size() << " rotations, first " << c.rotations[0];
    }
}

TEST_F(StackTest, TheWheelOverAControlScrollsTheStack)
{
    AddThree();
    LDialog inner;
    ASSERT_TRUE(inner.Create(kTemplateEmptyPanel, panels[0]->Window()));
    inner.OnMouseWheel(-120);
    EXPECT_EQ(stack.ScrollPosition(), 32);
    EXPECT_EQ(panels[0]->Window()->Rect().top, 24 - 32);
}

TEST_F(StackTest, ShortContentDoesNotScroll)
{
    panels.push_back(AddPanel(50));
    stack.ScrollBy(30);
    stack.OnScroll(ScrollCode::kLineDown);
    stack.OnScroll(ScrollCode::kBottom);
    EXPECT_EQ(stack.ScrollPosition(), 0);
    EXPECT_FALSE(Fake(stack).scrollBarEnabled);
    EXPECT_EQ(Fake(stack).scrollMaximum, kClientHeight - 1);
    EXPECT_EQ(Fake(stack).scrollPage, kClientHeight);
}

TEST_F(StackTest, ScrollBarCodesMoveWithinTheContent)
{
    AddThree();
    struct Case
    {
        ScrollCode code;
        int32_t position;
        bool barFollows;
    };
    const Case cases[] = {
        {ScrollCode::kLineUp, 92, true},       {ScrollCode::kLineDown, 108, true},
        {ScrollCode::kPageUp, 0, true},        {ScrollCode::kPageDown, 208, true},
        {ScrollCode::kThumbTrack, 150, false}, {ScrollCode::kThumbPosition, 150, true},
        {ScrollCode::kTop, 0, true},           {ScrollCode::kBottom, 208, true},
        {ScrollCode::kEndScroll, 100, true},
    };
    for (const Case& c : cases) {
        stack.OnScroll(ScrollCode::kTop);
        stack.ScrollBy(100);
        Fake(stack).trackPosition = 150;
        stack.OnScroll(c.code);
        EXPECT_EQ(stack.ScrollPosition(), c.position) << static_cast<int>(c.code);
        EXPECT_EQ(Fake(stack).scrollPosition, c.barFollows ? c.position : 100) << static_cast<int>(c.code);
        EXPECT_EQ(panels[0]->Window()->Rect().top, 24 - c.position) << static_cast<int>(c.code);
    }
    EXPECT_TRUE(Fake(stack).scrollBarEnabled);
    EXPECT_EQ(Fake(stack).scrollMaximum, 407);
}

TEST_F(StackTest, CollapsingWhileScrolledHidesThePanelAndClosesTheGap)
{
    const SystemColourPalette palette(SystemColourPalette::Classic());
    ScopedSystemColours scope(palette);
    AddThree();
    stack.ScrollBy(100);
    stack.HeaderAt(1)->OnClicked();
    EXPECT_FALSE(stack.HeaderAt(1)->IsExpanded());
    EXPECT_FALSE(panels[1]->Window()->IsShown());
    EXPECT_EQ(stack.ContentHeight(), 408 - 153);
    const int32_t position = stack.ScrollPosition();
    const RasterRect third = stack.HeaderAt(2)->Window()->Rect();
    EXPECT_EQ(third.top, 5 + 18 + 100 + 3 + 5 + 18 + 5 - position);
    // The collapsed panel's frame is gone: the frame's left column at x 2 shows only the first
    // and the third panel's frames.
    auto picture = Fake(stack).Paint();
    const uint8_t* p = picture->PixelAt(2, third.top - 6);
    EXPECT_EQ(MakeRgb(p[2], p[1], p[0]), ControlColour(kRoleButtonFace));
    p = picture->PixelAt(2, third.bottom + 2);
    EXPECT_EQ(MakeRgb(p[2], p[1], p[0]), ControlColour(kRoleShadow));
}

TEST_F(StackTest, TheCaptionHeightFollowsTheFont)
{
    for (int32_t height : {-11, -12}) {
        LDialogManager other;
        ASSERT_TRUE(other.Create(kTemplatePanelStack, top));
        Fake(other).fontHeight = height;
        auto panel = std::make_shared<LDialog>();
        ASSERT_TRUE(panel->Create(kTemplateEmptyPanel, other.Window()));
        ASSERT_TRUE(other.AddDialog(panel, -1, "", true));
        EXPECT_EQ(other.CaptionHeight(), height == -11 ? 18 : 19);
        EXPECT_EQ(other.HeaderAt(0)->Window()->Rect().bottom - other.HeaderAt(0)->Window()->Rect().top,
                  other.CaptionHeight());
    }
}

TEST_F(StackTest, EnsureVisibleScrollsTheLeastThatShowsTheRectangle)
{
    AddThree();
    const RasterRect client = stack.Window()->ClientRect();
    const RasterPoint origin = stack.Window()->ClientToScreen(0, 0);
    struct Case
    {
        const char* what;
        int32_t top, bottom; // client pixels
        int32_t position;
    };
    const Case cases[] = {
        {"above", -30, -10, 68},
        {"below", client.bottom + 10, client.bottom + 30, 132},
        {"taller than the client", 50, client.bottom + 300, 148},
        {"inside", 10, 20, 100},
    };
    for (const Case& c : cases) {
        stack.OnScroll(ScrollCode::kTop);
        stack.ScrollBy(100);
        stack.EnsureVisible({origin.x, origin.y + c.top, origin.x + 10, origin.y + c.bottom});
        EXPECT_EQ(stack.ScrollPosition(), c.position) << c.what;
    }
    stack.SetAutoScroll(false);
    stack.EnsureVisible({origin.x, origin.y - 50, origin.x + 10, origin.y - 40});
    EXPECT_EQ(stack.ScrollPosition(), 100);
}

TEST_F(StackTest, DraggingAPanelScrollsTheStack)
{
    AddThree();
    LDialog& panel = *panels[0];
    environment.pointer = {300, 300};
    Press(panel, MouseButton::kLeft, 5, 5);
    EXPECT_TRUE(Fake(panel).HasCapture());
    EXPECT_TRUE(Fake(panel).dragCursor);
    environment.pointer = {300, 260};
    panel.OnMouseMove(Mouse(MouseButton::kNone, 5, 5));
    EXPECT_EQ(stack.ScrollPosition(), 40);
    // Middle pressed too; letting go of the left keeps the drag.
    Press(panel, MouseButton::kMiddle, 5, 5);
    Release(panel, MouseButton::kLeft, 5, 5);
    environment.pointer = {300, 250};
    panel.OnMouseMove(Mouse(MouseButton::kNone, 5, 5));
    EXPECT_EQ(stack.ScrollPosition(), 50);
    Release(panel, MouseButton::kMiddle, 5, 5);
    EXPECT_FALSE(Fake(panel).HasCapture());
    EXPECT_FALSE(Fake(panel).dragCursor);
    environment.pointer = {300, 200};
    panel.OnMouseMove(Mouse(MouseButton::kNone, 5, 5));
    EXPECT_EQ(stack.ScrollPosition(), 50);
}

TEST_F(StackTest, ARightClickOrALostCaptureCancelsTheDrag)
{
    AddThree();
    LDialog& panel = *panels[0];
    for (bool rightClick : {true, false}) {
        Press(panel, MouseButton::kLeft, 5, 5);
        if (rightClick)
            Press(panel, MouseButton::kRight, 5, 5);
        else
            stack.Window()->CaptureMouse();
        EXPECT_FALSE(Fake(panel).dragCursor);
        const int32_t before = stack.ScrollPosition();
        environment.pointer.y -= 30;
        panel.OnMouseMove(Mouse(MouseButton::kNone, 5, 5));
        EXPECT_EQ(stack.ScrollPosition(), before);
        stack.Window()->ReleaseMouse();
    }
}

TEST_F(StackTest, AddDialogFailsWithoutLeavingAnythingBehind)
{
    panels.push_back(AddPanel(50));
    const int32_t windowsBefore = windows.LiveWindows();
    EXPECT_FALSE(stack.AddDialog(nullptr, -1, "none", true));

    windows.FailKind(ControlWindowKind::kOwnerDrawn);
    EXPECT_FALSE(stack.AddDialog(std::make_shared<LDialog>(), kTemplateEmptyPanel, "header fails", true));
    EXPECT_EQ(windows.LiveWindows(), windowsBefore);

    windows.FailKind(ControlWindowKind::kPanel);
    EXPECT_FALSE(stack.AddDialog(std::make_shared<LDialog>(), kTemplateEmptyPanel, "panel fails", true));
    EXPECT_EQ(windows.LiveWindows(), windowsBefore);

    EXPECT_FALSE(stack.AddDialog(std::make_shared<LDialog>(), -1, "no window", true));
    EXPECT_EQ(stack.PanelCount(), 1);
    EXPECT_EQ(windows.LiveWindows(), windowsBefore);
}

TEST_F(StackTest, TheListenerHearsOpeningOnlyWhenItWasThere)
{
    RecordingListener early;
    stack.SetListener(&early);
    stack.NotifyOpened();
    stack.NotifyClosed();
    stack.NotifyClosed();
    EXPECT_EQ(early.events, (std::vector<std::string>{"opened", "closed"}));

    LDialogManager other;
    ASSERT_TRUE(other.Create(kTemplatePanelStack, top));
    other.NotifyOpened();
    RecordingListener late;
    other.SetListener(&late);
    other.OnControlFocus(1, nullptr);
    other.OnControlKillFocus(1);
    other.NotifyClosed();
    EXPECT_EQ(late.events, (std::vector<std::string>{"focus 1", "kill 1"}));
}

TEST_F(StackTest, AHeaderClickBringsItAndItsPanelIntoView)
{
    AddThree();
    stack.HeaderAt(2)->OnClicked(); // collapse the last
    stack.OnScroll(ScrollCode::kTop);
    stack.HeaderAt(2)->OnClicked(); // expand it: header and panel (80 + 1) must show
    const RasterRect header = stack.HeaderAt(2)->Window()->Rect();
    EXPECT_LE(header.bottom + 81 + 2, kClientHeight);
    EXPECT_GE(header.top, 0);
    EXPECT_EQ(stack.ScrollPosition(), 408 - kClientHeight);
}

TEST_F(StackTest, RestoringTheFocusNeverScrolls)
{
    AddThree();
    LDialog control;
    ASSERT_TRUE(control.Create(kTemplateEmptyPanel, panels[2]->Window()));
    stack.OnControlFocus(0, control.Window());
    stack.OnScroll(ScrollCode::kTop);
    stack.RestoreFocus();
    EXPECT_TRUE(control.Window()->HasFocus());
    EXPECT_EQ(stack.ScrollPosition(), 0);

    stack.OnActivate(true);
    stack.EnsureVisible(panels[2]->ScreenRect());
    EXPECT_EQ(stack.ScrollPosition(), 0);
    stack.OnActivate(false);
    stack.EnsureVisible(panels[2]->ScreenRect());
    EXPECT_GT(stack.ScrollPosition(), 0);
}

TEST_F(StackTest, FocusReturnsToTheStackOnceTheControlIsGone)
{
    AddThree();
    {
        LDialog control;
        ASSERT_TRUE(control.Create(kTemplateEmptyPanel, panels[0]->Window()));
        stack.OnControlFocus(0, control.Window());
    }
    stack.RestoreFocus();
    EXPECT_TRUE(stack.Window()->HasFocus());
}

TEST_F(StackTest, DestroyingTheWindowReleasesEveryPanel)
{
    AddThree();
    std::weak_ptr<LDialog> first = panels[0];
    panels.clear();
    stack.DestroyWindow();
    EXPECT_TRUE(first.expired());
    EXPECT_EQ(stack.PanelCount(), 0);
}

namespace {

constexpr int32_t kItemTemplate = 9000;
constexpr DialogItem kItems[] = {
    {kNoItemId, DialogItemKind::kLabel, {2, 2, 20, 8}, "Box:"},
    {101, DialogItemKind::kCheckbox, {30, 2, 40, 10}, "On"},
};
constexpr DialogTemplate kItemDialog{kItemTemplate, ControlWindowKind::kPanel, 80, 20, "", kItems};
constexpr DialogResource kItemDialogs[] = {{kItemTemplate, &kItemDialog}};

// A panel whose box goes on the template item of the given id.
class BoxPanel : public LDialog
{
  public:
    explicit BoxPanel(int32_t id) : id_(id) {}
    LCheckbox box;

  protected:
    bool DoDataExchange() override { return AttachItem(id_, box); }

  private:
    int32_t id_;
};

} // namespace

TEST_F(StackTest, PanelsMakeTheirTemplatesItemsAndAMemberWithoutItsItemFailsThePanel)
{
    const ResourceTables tables{{}, kItemDialogs, {}, {}, {}};
    ScopedResources scope(tables);
    auto panel = std::make_shared<BoxPanel>(101);
    ASSERT_TRUE(stack.AddDialog(panel, kItemTemplate, "Items", true));
    ASSERT_NE(panel->GetDlgItem(101), nullptr);
    EXPECT_EQ(panel->GetDlgItem(101)->Sink(), &panel->box);
    EXPECT_EQ(panel->box.Window()->Text(), "On");
    EXPECT_EQ(panel->GetDlgItem(kNoItemId), nullptr) << "labels carry no id";
    const auto children = Fake(*panel).Children();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0]->Kind(), ControlWindowKind::kLabel) << "made in template order";

    const int32_t before = windows.LiveWindows();
    auto missing = std::make_shared<BoxPanel>(102);
    EXPECT_FALSE(stack.AddDialog(missing, kItemTemplate, "Missing", true));
    EXPECT_EQ(missing->Window(), nullptr);
    EXPECT_EQ(stack.PanelCount(), 1);
    EXPECT_EQ(windows.LiveWindows(), before) << "the failed panel left nothing behind";
}
