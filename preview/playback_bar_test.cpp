// The playback bar without a toolkit: thumb positions, enables per play state, the slider's seek,
// Back and Forward held down under a fake clock, and the bar the preview opens and feeds.
#include "preview/c_beamvista_playback_dlg.h"
#include "preview/playback_bar_template.h"
#include "preview/test_support/preview_test_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using B = PlaybackBarButton;

class RecordingPlayback final : public LBeamvistaPlaybackCallback
{
  public:
    bool SeekFraction(float fraction) override { return Record("Seek(" + std::to_string(fraction) + ")"); }
    bool Play() override { return Record("Play"); }
    bool Pause() override { return Record("Pause"); }
    bool TogglePlayPause() override { return Record("TogglePlayPause"); }
    bool Stop() override { return Record("Stop"); }
    bool Backward() override { return Record("Backward"); }
    bool Forward() override { return Record("Forward"); }
    bool PreviousFile() override { return Record("PreviousFile"); }
    bool NextFile() override { return Record("NextFile"); }
    bool ToggleMute() override { return Record("ToggleMute"); }

    std::vector<std::string> calls;

  private:
    bool Record(std::string call)
    {
        calls.push_back(std::move(call));
        return true;
    }
};

class FakePlaybackBarWindow final : public PlaybackBarWindow
{
  public:
    explicit FakePlaybackBarWindow(PlaybackBarSink* sink, int32_t slider) : sink(sink), slider(slider) {}
    void SetCaption(const char* title) override { caption = title; }
    void SetSliderValue(int32_t value) override
    {
        slider = value;
        ++sliderMoves;
    }
    void SetEnables(const PlaybackBarEnables& e) override { enables = e; }
    bool IsShownPressed(PlaybackBarButton button) override { return shownPressed[static_cast<int32_t>(button)]; }
    void ShowOnTop() override { ++shown; }
    void Dispose() override { disposed = true; }

    PlaybackBarSink* sink;
    int32_t slider;
    int32_t sliderMoves = 0;
    std::string caption;
    PlaybackBarEnables enables;
    std::array<bool, kPlaybackBarButtonCount> shownPressed{};
    int32_t shown = 0;
    bool disposed = false;
};

class FakePlaybackBarFactory final : public PlaybackBarFactory
{
  public:
    FakePlaybackBarFactory() : previous_(SetPlaybackBarFactory(this)) {}
    ~FakePlaybackBarFactory() override { SetPlaybackBarFactory(previous_); }
    PlaybackBarWindow* Create(UiWindowId parent, int32_t sliderValue, PlaybackBarSink* sink) override
    {
        if (fails)
            return nullptr;
        parents.push_back(parent);
        windows.push_back(std::make_unique<FakePlaybackBarWindow>(sink, sliderValue));
        return windows.back().get();
    }

    bool fails = false;
    std::vector<UiWindowId> parents;
    std::vector<std::unique_ptr<FakePlaybackBarWindow>> windows;

  private:
    PlaybackBarFactory* previous_;
};

std::string Enabled(const PlaybackBarEnables& e)
{
    const char* names[] = {"Play", "Stop", "Back", "Forward", "Prev", "Next"};
    std::string text;
    for (int32_t i = 0; i < kPlaybackBarButtonCount; ++i) {
        if (e.buttons[i])
            text += std::string(text.empty() ? "" : " ") + names[i];
    }
    if (e.slider)
        text += text.empty() ? "slider" : " slider";
    return text.empty() ? "none" : text;
}

} // namespace

TEST(PlaybackBarModel, ThumbPositions)
{
    PlaybackBarModel model;
    EXPECT_EQ(model.SetPosition(0.5f), 512);
    EXPECT_EQ(model.SetPosition(0.5f), std::nullopt) << "a repeated report";
    EXPECT_EQ(model.SetPosition(0.9999f), 1024);
    EXPECT_EQ(model.SetPosition(1.5f), std::nullopt) << "held to 1024, where the thumb is";
    EXPECT_EQ(model.SetPosition(-0.25f), 0);

    // After the user moved the thumb the next report moves it back, even one said before.
    RecordingPlayback playback;
    model.SetPlayback(&playback);
    EXPECT_EQ(model.SetPosition(0.5f), 512);
    model.OnSliderMoved(256);
    EXPECT_EQ(playback.calls, (std::vector<std::string>{"Seek(0.250000)"}));
    EXPECT_EQ(model.SetPosition(0.5f), 512);
}

TEST(PlaybackBarModel, EnablesPerPlayState)
{
    struct Case
    {
        int32_t state;
        bool moreThanOneShow, opened;
        const char* enabled;
    };
    const Case cases[] = {
        {1, false, false, "none"},
        {2, true, true, "Play"},
        {3, false, true, "Stop Back Forward slider"},
        {3, true, true, "Stop Back Forward Prev Next slider"},
        {4, true, false, "Play Stop Prev Next"},
        {4, false, true, "Play Stop Back Forward slider"},
    };
    for (const Case& c : cases) {
        PlaybackBarModel model;
        model.SetPosition(0.5f);
        const auto enables = model.UpdateButtons(c.state, c.moreThanOneShow, c.opened, false);
        ASSERT_TRUE(enables) << c.state;
        EXPECT_EQ(Enabled(*enables), c.enabled) << c.state << c.moreThanOneShow << c.opened;
        EXPECT_EQ(model.SliderValue(), c.state <= 2 ? 0 : 512) << "without a show the thumb goes home";
        EXPECT_FALSE(model.UpdateButtons(c.state, c.moreThanOneShow, c.opened, false)) << "repeated";
        EXPECT_TRUE(model.UpdateButtons(c.state, c.moreThanOneShow, c.opened, true)) << "forced";
    }
    PlaybackBarModel model;
    EXPECT_FALSE(model.UpdateButtons(7, false, false, false)) << "unknown states change nothing";
}

TEST(PlaybackBarModel, BackAndForwardStepAtThePressAndRepeatWhileHeld)
{
    struct Case
    {
        int64_t heldMs;
        int64_t firstTickMs;
        size_t steps;
    };
    // The timer ticks every 100 ms from its own phase.
    const Case cases[] = {
        {50, 10, 1}, {50, 90, 1}, {150, 10, 1}, {150, 60, 1}, {1000, 0, 9}, {1000, 50, 10},
    };
    for (const Case& c : cases) {
        RecordingPlayback playback;
        PlaybackBarModel model;
        model.SetPlayback(&playback);
        model.OnPressed(B::kForward, 0);
        for (int64_t t = c.firstTickMs; t < c.heldMs; t += PlaybackBarModel::kRepeatPeriodMs)
            model.OnTimer(t, false, true);
        model.OnClicked(B::kForward);
        model.OnReleased(B::kForward);
        for (int64_t t = c.heldMs; t < c.heldMs + 500; t += PlaybackBarModel::kRepeatPeriodMs)
            model.OnTimer(t, false, false);
        EXPECT_EQ(playback.calls.size(), c.steps) << c.heldMs << " ms from tick " << c.firstTickMs;
        for (const std::string& call : playback.calls)
            EXPECT_EQ(call, "Forward");
    }

    // A click from the keyboard steps once; the other buttons act at their click.
    RecordingPlayback playback;
    PlaybackBarModel model;
    model.SetPlayback(&playback);
    model.OnClicked(B::kBack);
    for (B button : {B::kPlay, B::kStop, B::kPrev, B::kNext}) {
        model.OnPressed(button, 0);
        model.OnClicked(button);
    }
    EXPECT_EQ(playback.calls,
              (std::vector<std::string>{"Backward", "Play", "Stop", "PreviousFile", "NextFile"}));

    PlaybackBarModel alone;
    alone.OnClicked(B::kPlay);
    alone.OnSliderMoved(10);
    alone.OnPressed(B::kBack, 0);
    alone.OnTimer(500, true, true);
}

class PreviewPlaybackBarTest : public PreviewTest
{
  protected:
    PreviewPlaybackBarTest()
    {
        const UiRect rect = kViewRect;
        EXPECT_TRUE(preview_.CreateAsChild(view_, &rect));
    }

    FakePlaybackBarWindow& Bar() { return *factory_.windows.back(); }
    // The whole status, as the timer's tick delivers it.
    void Report()
    {
        preview_.NotifyStatus(kStatusAll);
        preview_.DeliverStatus();
    }

    FakePlaybackBarFactory factory_;
    TestPreview preview_;
};

TEST_F(PreviewPlaybackBarTest, TheBarOpensOverTheViewAndFollowsThePreview)
{
    ASSERT_TRUE(preview_.ShowPlaybackBar());
    ASSERT_EQ(factory_.windows.size(), 1u);
    EXPECT_EQ(factory_.parents[0], view_);
    EXPECT_EQ(Bar().shown, 1);
    EXPECT_EQ(Enabled(Bar().enables), "none") << "no show";
    EXPECT_EQ(Bar().slider, 0);

    preview_.OpenShows({"a.zyl", "b.zyl"}, 0);
    ASSERT_TRUE(preview_.HasOpenShow());
    preview_.Play();
    Report();
    EXPECT_EQ(Enabled(Bar().enables), "Stop Back Forward Prev Next slider");
    EXPECT_NE(Bar().caption.find("a"), std::string::npos) << Bar().caption;

    // The slider seeks the preview; its reports move the thumb.
    Bar().sink->OnBarSliderMoved(512);
    Report();
    EXPECT_EQ(Bar().slider, 512);

    Bar().sink->OnBarButtonClicked(B::kStop);
    Report();
    EXPECT_EQ(Enabled(Bar().enables), "Play") << "stopped at the start";

    // Shown again, the same bar comes up.
    ASSERT_TRUE(preview_.ShowPlaybackBar());
    EXPECT_EQ(factory_.windows.size(), 1u);
    EXPECT_EQ(Bar().shown, 2);
}

TEST_F(PreviewPlaybackBarTest, AGoneWindowIsMadeAnewAndAFailedOneReportsFalse)
{
    ASSERT_TRUE(preview_.ShowPlaybackBar());
    Bar().sink->OnBarWindowDestroyed();
    ASSERT_TRUE(preview_.ShowPlaybackBar());
    EXPECT_EQ(factory_.windows.size(), 2u);
    EXPECT_FALSE(factory_.windows[0]->disposed) << "a gone window is not touched";

    factory_.fails = true;
    Bar().sink->OnBarWindowDestroyed();
    EXPECT_FALSE(preview_.ShowPlaybackBar());
    EXPECT_EQ(preview_.PlaybackBar(), nullptr);
}

TEST_F(PreviewPlaybackBarTest, ThePreviewsEndDisposesOfTheBar)
{
    {
        TestPreview preview;
        const UiRect rect = kViewRect;
        ASSERT_TRUE(preview.CreateAsChild(view_, &rect));
        ASSERT_TRUE(preview.ShowPlaybackBar());
    }
    EXPECT_TRUE(Bar().disposed);
    TestPreview windowless;
    EXPECT_FALSE(windowless.ShowPlaybackBar());
}
