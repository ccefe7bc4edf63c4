#include "preview/l_beamvista.h"

#include "preview/fog_noise_missing.h"
#include "preview/l_beamvista_modal_guard.h"
#include "preview/preview_command_ids.h"
#include "preview/test_support/preview_test_fixture.h"

#include <memory>

namespace {

class TimerTest : public PreviewTest
{
  public:
    void SetUp() override { ASSERT_TRUE(preview_.CreateAsChild(view_)); }
    void TearDown() override
    {
        preview_.CloseWindow(true);
        PreviewTest::TearDown();
    }
    bool Running() const { return ui_.TimerRunning(preview_, LBeamvista::kTimerId); }
    // A paint with the size line gone and the cursor asleep: only the condition under test moves.
    void PaintQuietly()
    {
        preview_.sizeShownAt_ = 0;
        preview_.OnPaint();
    }

    TestPreview preview_;
};

TEST_F(TimerTest, EachConditionAloneKeepsTheTimerRunning)
{
    struct Case
    {
        const char* name;
        std::function<void(TimerTest&)> set;
        bool runs;
    };
    const Case cases[] = {
        {"nothing moves", [](TimerTest&) {}, false},
        {"0x9002", [](TimerTest&) { ChangeParameters([](LBeamvistaPars& p) { p.p0x9002 = 1; }); }, true},
        {"open show", [](TimerTest& t) { t.preview_.OpenShows({"a.zyl"}, 0); }, true},
        {"drifting fog",
         [](TimerTest&) {
             ChangeParameters([](LBeamvistaPars& p) {
                 p.o_fog_force = 1;
                 p.o_fog_intensity = 0.0011f;
             });
         },
         true},
        {"fog at its threshold",
         [](TimerTest&) {
             ChangeParameters([](LBeamvistaPars& p) {
                 p.o_fog_force = 1;
                 p.o_fog_intensity = 0.001f;
             });
         },
         false},
        {"fog not forced",
         [](TimerTest&) {
             ChangeParameters([](LBeamvistaPars& p) {
                 p.o_fog_force = 2;
                 p.o_fog_intensity = 5;
             });
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChangeParameters([](LBeamvistaPars& p) { p = LBeamvistaPars(); });
        preview_.OpenShows({}, -1);
        c.set(*this);
        PaintQuietly();
        EXPECT_EQ(Running(), c.runs);
    }
}

TEST_F(TimerTest, SizeLineKeepsItRunningForOneSecondWithInfosOn)
{
    preview_.SetShowInfo(true);
    preview_.SetViewport(320, 240);
    preview_.OnPaint();
    EXPECT_TRUE(Running());
    EXPECT_NE(preview_.SizeShownAt(), 0);
    AdvanceCs(100);
    preview_.OnPaint();
    EXPECT_NE(preview_.SizeShownAt(), 0);
    AdvanceCs(1);
    preview_.OnPaint();
    EXPECT_EQ(preview_.SizeShownAt(), 0);
    preview_.OnPaint();
    EXPECT_FALSE(Running());
}

TEST_F(TimerTest, FullScreenRunsUntilTheCursorHides)
{
    ASSERT_TRUE(preview_.SetFullScreen(true));
    PaintQuietly();
    EXPECT_TRUE(Running());
    ui_.focus = preview_.WindowId();
    ui_.windowUnderCursor = preview_.WindowId();
    AdvanceCs(200);
    preview_.Redraw();
    EXPECT_TRUE(preview_.CursorHidden());
    EXPECT_EQ(ui_.cursorCount, -1);
    PaintQuietly();
    EXPECT_FALSE(Running());
}

TEST_F(TimerTest, CursorStaysWhileBusyOrElsewhere)
{
    ASSERT_TRUE(preview_.SetFullScreen(true));
    ui_.focus = preview_.WindowId();
    AdvanceCs(300);
    preview_.Redraw();
    EXPECT_FALSE(preview_.CursorHidden()) << "the pointer is over another window";

    ui_.windowUnderCursor = preview_.WindowId();
    {
        LBeamvistaModalGuard busy(preview_);
        AdvanceCs(300);
        preview_.Redraw();
        EXPECT_FALSE(preview_.CursorHidden());
        EXPECT_EQ(busy.Leave(), 0);
        EXPECT_EQ(busy.Leave(), 0);
    }
    AdvanceCs(300);
    preview_.Redraw();
    EXPECT_TRUE(preview_.CursorHidden());
    preview_.WakeCursor();
    EXPECT_FALSE(preview_.CursorHidden());
    EXPECT_EQ(ui_.cursorCount, 0);
}

TEST_F(TimerTest, HiddenWindowStopsItMinimisedPlaysOn)
{
    preview_.OpenShows({"a.zyl"}, 0);
    PaintQuietly();
    ASSERT_TRUE(Running());
    Window()->minimised = true;
    PaintQuietly();
    EXPECT_TRUE(Running());
    Window()->Show(false);
    PaintQuietly();
    EXPECT_FALSE(Running());
}

TEST_F(TimerTest, CoveredWindowAdvancesWithoutPainting)
{
    Window()->covered = true;
    const int32_t frames = preview_.FrameClock().frameCount;
    preview_.Redraw();
    EXPECT_EQ(Window()->paints, 0);
    EXPECT_EQ(preview_.FrameClock().frameCount, frames + 1);
    Window()->covered = false;
    preview_.Redraw();
    EXPECT_EQ(Window()->paints, 1);
    EXPECT_EQ(Window()->Surface()->presents, 1);
}

TEST_F(TimerTest, TickInsideATickIsDropped)
{
    preview_.OpenShows({"a.zyl"}, 0);
    PaintQuietly();
    ASSERT_TRUE(Running());
    const int paints = Window()->paints;
    preview_.inTimer_ = true;
    ui_.FireTimer(preview_, LBeamvista::kTimerId);
    EXPECT_EQ(Window()->paints, paints);
    preview_.inTimer_ = false;
    ui_.FireTimer(preview_, LBeamvista::kTimerId);
    EXPECT_EQ(Window()->paints, paints + 1);
}

TEST_F(TimerTest, ReleasingTheContextStopsTheTimer)
{
    preview_.OpenShows({"a.zyl"}, 0);
    PaintQuietly();
    ASSERT_TRUE(Running());
    preview_.CloseWindow(true);
    EXPECT_FALSE(Running());
    EXPECT_EQ(preview_.timerId_, 0u);
}

TEST_F(TimerTest, MissingFogNoiseSwitchesThreeDimensionalFogOffOnce)
{
    ChangeParameters([](LBeamvistaPars& p) { p.o_fog_3d = 1; });
    FogNoiseMissing = true;
    PaintQuietly();
    EXPECT_FALSE(FogNoiseMissing);
    EXPECT_EQ(preview_.LivePars().o_fog_3d, 0);
    LBeamvistaPars handlers;
    handlers.ReadFromParameters();
    EXPECT_EQ(handlers.o_fog_3d, 0);
}

TEST_F(TimerTest, ClearRedrawsAfterTheCommandAndNotForAPreviewGoneMeanwhile)
{
    const int paints = Window()->paints;
    EXPECT_TRUE(preview_.OnCmdMsg(preview_command::kClear, UiCommandCode::Execute, nullptr));
    EXPECT_EQ(Window()->paints, paints) << "painted inside the command";
    EXPECT_EQ(ui_.RunPosted(), 1);
    EXPECT_EQ(Window()->paints, paints + 1);

    auto gone = std::make_unique<TestPreview>();
    ASSERT_TRUE(gone->CreateAsChild(view_));
    gone->OnClear();
    gone.reset();
    EXPECT_EQ(ui_.RunPosted(), 1);
}

} // namespace

namespace {

using OverlayTest = PreviewTest;

TEST_F(OverlayTest, InfoLinesShowTheSizeAndOnlyChangedPairs)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_graphics_size_x = 2;
        p.o_scanner_pos_y = 0.5f;
    });
    preview.SetShowInfo(true);
    preview.RenderScene();
    const std::string text = preview.OverlayText2().CStr();
    EXPECT_EQ(text.rfind("640 x 480", 0), 0u) << text;
    EXPECT_NE(text.find("  Size: "), std::string::npos) << text;
    EXPECT_NE(text.find("2.000, "), std::string::npos) << text;
    EXPECT_NE(text.find("  ScanPos: "), std::string::npos) << text;
    EXPECT_EQ(text.find("  Pos: "), std::string::npos) << text;
}

TEST_F(OverlayTest, GlLinesFollowTheCountAndNothingShowsWithInfosOff)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    preview.SetGlInfoLineCount(2);
    preview.RenderScene();
    EXPECT_TRUE(preview.OverlayText2().IsEmpty());
    preview.SetShowInfo(true);
    preview.sizeShownAt_ = 0;
    preview.RenderScene();
    // Without a driver both lines are blank texts: the first is "  " (vendor, renderer, version).
    EXPECT_EQ(std::string(preview.OverlayText2().CStr()), "  \r");
}

} // namespace
