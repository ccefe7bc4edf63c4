#include "preview/l_beamvista.h"

#include "preview/test_support/preview_test_fixture.h"

namespace {

using WindowTest = PreviewTest;

TEST_F(WindowTest, ChildFillsItsParentThenFullScreenAndBack)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    EXPECT_EQ(Window()->Kind(), NativeWindowKind::Child);
    EXPECT_EQ(Window()->RectInParent(), kViewRect);
    EXPECT_TRUE(Window()->IsShown());
    EXPECT_EQ(preview.SharedWindow(), preview.WindowId());

    Window()->UserResize({10, 20, 330, 260});
    ASSERT_TRUE(preview.SetFullScreen(true));
    EXPECT_EQ(Window()->Kind(), NativeWindowKind::FullScreen);
    EXPECT_EQ(Window()->RectInParent(), ui_.monitors[0].rect);
    EXPECT_TRUE(ui_.modeChanges.empty());

    ASSERT_TRUE(preview.SetFullScreen(false));
    EXPECT_EQ(Window()->Kind(), NativeWindowKind::Child);
    EXPECT_EQ(Window()->Parent(), view_);
    EXPECT_EQ(Window()->RectInParent(), (UiRect{10, 20, 330, 260}));
    EXPECT_EQ(ui_.LiveWindows().size(), 1u);
}

TEST_F(WindowTest, PopupTakesTheDefaultPlacementAndIsOnlyRaisedAgain)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsPopup(view_));
    EXPECT_EQ(Window()->Kind(), NativeWindowKind::Popup);
    EXPECT_EQ(Window()->RectInParent(), (UiRect{64, 64, 384, 304}));
    ASSERT_TRUE(preview.CreateAsPopup(view_));
    EXPECT_EQ(ui_.windowsCreated, 1);
    EXPECT_EQ(Window()->raises, 1);
}

TEST_F(WindowTest, FullScreenChangesTheModeOnlyForAnotherSizeAndRestoresIt)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateFullScreen(view_, 1280, 1024));
    EXPECT_TRUE(ui_.modeChanges.empty());

    ASSERT_TRUE(preview.CreateFullScreen(view_, 800, 600));
    ASSERT_EQ(ui_.modeChanges.size(), 1u);
    EXPECT_EQ(ui_.modeChanges[0].size, (UiSize{800, 600}));
    EXPECT_EQ(Window()->RectInParent(), (UiRect{0, 0, 800, 600}));

    preview.CloseWindow(true);
    EXPECT_EQ(ui_.modeRestores, 1);
}

TEST_F(WindowTest, RefusedModeLeavesTheMonitorSize)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateFullScreen(view_, 1000, 700));
    EXPECT_TRUE(ui_.modeChanges.empty());
    EXPECT_EQ(Window()->RectInParent(), ui_.monitors[0].rect);
}

TEST_F(WindowTest, SizePresetResizesTheTopLevelSoTheClientFits)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    ASSERT_TRUE(preview.SetClientSize(320, 240));
    EXPECT_EQ(ui_.WindowSizeOf(frame_), (UiSize{320 + kFrameChrome.width, 240 + kFrameChrome.height}));
}

TEST_F(WindowTest, WithoutWindowNothingResizesOrToggles)
{
    TestPreview preview;
    EXPECT_FALSE(preview.SetClientSize(320, 240));
    EXPECT_FALSE(preview.ToggleTopMost());
    EXPECT_FALSE(preview.CreateAsChild({}));
    EXPECT_FALSE(preview.Recreate());
}

TEST_F(WindowTest, CaptionFrameToggleCycles)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsPopup(view_));
    const std::pair<bool, bool> expected[] = {{false, true}, {false, false}, {true, true}, {false, true}};
    for (const auto& [caption, frame] : expected) {
        preview.ToggleCaptionFrame();
        EXPECT_EQ(Window()->HasCaption(), caption);
        EXPECT_EQ(Window()->HasFrame(), frame);
    }
}

// Only the top border of a window without caption turns from sizing into moving; edges and
// corners keep sizing, and a child or a captioned window answers as its frame does.
TEST_F(WindowTest, CaptionlessTopLevelMovesByItsTopBorder)
{
    enum class Place { Child, Popup, FullScreen };
    struct Case
    {
        const char* name;
        Place place;
        int captionFrameSteps;
        FrameHit standard;
        FrameHit expected;
    };
    using H = FrameHit;
    const Case cases[] = {
        {"popup with caption", Place::Popup, 0, H::kTop, H::kTop},
        {"popup frame only: top", Place::Popup, 1, H::kTop, H::kCaption},
        {"popup frame only: top left", Place::Popup, 1, H::kTopLeft, H::kTopLeft},
        {"popup frame only: left", Place::Popup, 1, H::kLeft, H::kLeft},
        {"popup frame only: bottom", Place::Popup, 1, H::kBottom, H::kBottom},
        {"popup without either", Place::Popup, 2, H::kTop, H::kCaption},
        {"popup with both again", Place::Popup, 3, H::kTop, H::kTop},
        {"full screen", Place::FullScreen, 0, H::kTop, H::kCaption},
        {"child", Place::Child, 0, H::kTop, H::kTop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPreview preview;
        if (c.place == Place::Child)
            ASSERT_TRUE(preview.CreateAsChild(view_));
        else if (c.place == Place::Popup)
            ASSERT_TRUE(preview.CreateAsPopup(view_));
        else
            ASSERT_TRUE(preview.CreateFullScreen(view_, 1280, 1024));
        for (int step = 0; step < c.captionFrameSteps; ++step)
            preview.ToggleCaptionFrame();
        EXPECT_EQ(preview.OnFrameHitTest(c.standard), c.expected);
    }
    TestPreview windowless;
    EXPECT_EQ(windowless.OnFrameHitTest(H::kTop), H::kTop);
}

TEST_F(WindowTest, TopMostTogglesTheTopLevelWindow)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    EXPECT_TRUE(preview.ToggleTopMost());
    EXPECT_TRUE(ui_.IsTopMost(frame_));
    EXPECT_TRUE(preview.IsTopMost());
}

TEST_F(WindowTest, TitleCountsEntriesOnlyWhenThereAreSeveral)
{
    struct Case
    {
        std::initializer_list<const char*> shows;
        int32_t index;
        const char* title;
    };
    const Case cases[] = {
        {{}, -1, "Zyl Player"},
        {{"/shows/one.zyl"}, 0, "Zyl Player - one.zyl"},
        {{"/a/one.zyl", "/a/two.zyl", "/b/three.zyl"}, 1, "Zyl Player - two.zyl (2 of 3)"},
    };
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    for (const Case& c : cases) {
        preview.OpenShows(c.shows, c.index);
        preview.SetName("Zyl Player");
        EXPECT_EQ(Window()->Title(), c.title);
    }
}

TEST_F(WindowTest, ParentDestroyingTheWindowIsNoticed)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    Window()->DestroyByParent();
    EXPECT_FALSE(preview.HasWindow());
    EXPECT_FALSE(preview.SharedWindow());
    EXPECT_EQ(preview.Surface(), nullptr);
    EXPECT_FALSE(preview.CloseWindow(true));
}

TEST_F(WindowTest, ClosingATopLevelOnlyHidesIt)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsPopup(view_));
    Window()->UserClose();
    EXPECT_TRUE(preview.HasWindow());
    EXPECT_FALSE(Window()->IsShown());
}

TEST_F(WindowTest, AHiddenFullScreenWindowGoesBackToItsEarlierPlaceAndMode)
{
    struct Case
    {
        NativeWindowKind kind;
        UiRect rect;
    };
    for (const Case& c : {Case{NativeWindowKind::Child, {10, 20, 330, 260}},
                          Case{NativeWindowKind::Popup, {30, 40, 350, 280}}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TestPreview preview;
        ASSERT_TRUE(c.kind == NativeWindowKind::Child ? preview.CreateAsChild(view_, &c.rect)
                                                      : preview.CreateAsPopup(view_, &c.rect));
        const int restores = ui_.modeRestores;
        ASSERT_TRUE(preview.CreateFullScreen(view_, 800, 600));
        // Closed by the window manager: the window only hides, and full screen must not stay
        // behind it with the display in another mode.
        Window()->UserClose();
        EXPECT_TRUE(preview.IsFullScreen()) << "not inside the hiding";
        ASSERT_EQ(ui_.RunPosted(), 1);
        EXPECT_FALSE(preview.IsFullScreen());
        EXPECT_EQ(ui_.modeRestores, restores + 1);
        ASSERT_TRUE(preview.HasWindow());
        EXPECT_EQ(Window()->Kind(), c.kind);
        EXPECT_EQ(Window()->RectInParent(), c.rect);
        EXPECT_TRUE(Window()->IsShown());
        EXPECT_EQ(ui_.LiveWindows().size(), 1u);
    }
}

TEST_F(WindowTest, OnlyAHiddenFullScreenWindowLeavesFullScreen)
{
    {
        TestPreview preview;
        ASSERT_TRUE(preview.CreateAsPopup(view_));
        Window()->Show(false);
        EXPECT_EQ(ui_.RunPosted(), 0) << "a popup just hides";
        ASSERT_TRUE(preview.SetFullScreen(true));
        Window()->Show(false);
        Window()->Show(true);
        EXPECT_EQ(ui_.RunPosted(), 1);
        EXPECT_TRUE(preview.IsFullScreen()) << "shown again before its turn came";
        Window()->Show(false);
    }
    EXPECT_EQ(ui_.RunPosted(), 1) << "the preview went first";
    EXPECT_TRUE(ui_.LiveWindows().empty());
}

TEST_F(WindowTest, FailedContextLeavesNoWindow)
{
    ui_.refuseGl = [](const NativeWindowSpec&) { return true; };
    TestPreview preview;
    EXPECT_FALSE(preview.CreateAsChild(view_));
    EXPECT_FALSE(preview.HasWindow());
    EXPECT_TRUE(ui_.LiveWindows().empty());
}

} // namespace
