#include "preview/status_reporter.h"

#include "preview/test_support/playback_harness.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every call, as text, in order.
class RecordingCallback final : public LBeamvistaStatusCallback
{
  public:
    RecordingCallback(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}

    int OnPreviewCommand(uint32_t id, int32_t, void*, void*) override
    {
        log_.push_back(name_ + " command " + std::to_string(id));
        return id == takes ? 1 : 0;
    }
    void SetFileName(const char* title) override { log_.push_back(name_ + " title " + title); }
    void SetPlayState(int32_t state, bool more, bool opened) override
    {
        log_.push_back(name_ + " state " + std::to_string(state) + (more ? " more" : "") + (opened ? " opened" : ""));
    }
    void SetPosition(float, float) override { log_.push_back(name_ + " position"); }
    void SetMute(bool muted) override { log_.push_back(name_ + (muted ? " muted" : " sound")); }

    uint32_t takes = 0;

  private:
    std::vector<std::string>& log_;
    std::string name_;
};

LStatusState Playing()
{
    LStatusState state;
    state.title = "Zyl Player - a.zyl";
    state.playState = kPlayStatePlaying;
    state.opened = true;
    return state;
}

TEST(StatusReporter, DeliversBatchesToTheBarThenTheHost)
{
    std::vector<std::string> log;
    RecordingCallback bar(log, "bar");
    RecordingCallback host(log, "host");
    LStatusReporter status([] { return Playing(); });

    // Without a window the callback is only stored.
    status.SetCallback(&host, false, false);
    EXPECT_TRUE(log.empty());
    status.SetBar(&bar);
    status.Notify(kStatusMute, false);
    EXPECT_EQ(log, (std::vector<std::string>{"bar sound", "host sound"}));

    // A hundred changes within a tick: one pair after it.
    log.clear();
    for (int i = 0; i < 100; ++i)
        status.Notify(kStatusPlay, true);
    EXPECT_TRUE(log.empty());
    status.Deliver();
    EXPECT_EQ(log, (std::vector<std::string>{"bar state 3 opened", "bar position", "host state 3 opened", "host position"}));
    status.Deliver();
    EXPECT_EQ(log.size(), 4u);

    // The whole status, in its order, once the host's window is there.
    log.clear();
    status.SetBar(nullptr);
    status.SetCallback(&host, true, false);
    EXPECT_EQ(log, (std::vector<std::string>{"host title Zyl Player - a.zyl", "host sound", "host state 3 opened",
                                             "host position"}));
}

TEST(StatusReporter, WithoutAShowOnlyThePlayStateGoes)
{
    std::vector<std::string> log;
    RecordingCallback host(log, "host");
    LStatusReporter status([] {
        LStatusState state;
        state.moreThanOneShow = true;
        return state;
    });
    status.SetCallback(&host, false, false);
    status.Notify(kStatusPlay, false);
    EXPECT_EQ(log, (std::vector<std::string>{"host state 1 more"}));
}

TEST(StatusReporter, CommandsGoToTheBarThenTheHost)
{
    std::vector<std::string> log;
    RecordingCallback bar(log, "bar");
    RecordingCallback host(log, "host");
    LStatusReporter status([] { return Playing(); });
    EXPECT_FALSE(status.OfferCommand(42053, 0, nullptr, nullptr));
    status.SetCallback(&host, false, false);
    status.SetBar(&bar);
    host.takes = 42053;
    EXPECT_TRUE(status.OfferCommand(42053, 0, nullptr, nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"bar command 42053", "host command 42053"}));
    bar.takes = 42059;
    log.clear();
    EXPECT_TRUE(status.OfferCommand(42059, 0, nullptr, nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"bar command 42059"}));
}

class PlayStateTest : public TempTreeFixture
{
};

TEST_F(PlayStateTest, StatesOneToFour)
{
    PlaybackHarness h;
    EXPECT_EQ(h.playback.StatusState("").playState, kPlayStateNoShow);
    EXPECT_FALSE(h.playback.StatusState("").opened);
    const std::string path = MakeHarnessShow(Root(), "a.zyl", {48000, 3.0, false});
    ASSERT_TRUE(h.playback.AddShow(XAString(path.c_str()), XAString(), -1, nullptr, true));
    const int64_t first = h.playback.Stream().FirstTime();
    const int64_t last = h.playback.Stream().LastTime();
    struct Case
    {
        const char* what;
        std::function<bool(LShowPlayback&)> run;
        int32_t state;
    };
    const Case cases[] = {
        {"playing", [](LShowPlayback&) { return true; }, kPlayStatePlaying},
        {"stopped", [](LShowPlayback& p) { return p.Stop(); }, kPlayStateStopped},
        {"paused in the middle", [&](LShowPlayback& p) { return p.SeekToTime(first + 1000000, true); }, kPlayStatePaused},
        {"paused before the first time", [&](LShowPlayback& p) { return p.Seek(first - 5000, true, false, true); },
         kPlayStateStopped},
        {"paused past the last time", [&](LShowPlayback& p) { return p.Seek(last + 5000000, true, false, true); },
         kPlayStatePaused},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.run(h.playback)) << c.what;
        h.Tick();
        EXPECT_EQ(h.playback.StatusState("").playState, c.state) << c.what;
        EXPECT_EQ(h.playback.CurrentIndex(), 0) << c.what;
        EXPECT_TRUE(h.playback.StatusState("").opened) << c.what;
    }
    // Past the end while paused with keepPaused: the list waits for playback to resume.
    EXPECT_EQ(h.shows, 1);
    EXPECT_FLOAT_EQ(h.playback.Progress(), 1.0f);
    ASSERT_TRUE(h.playback.Play());
    h.Tick();
    EXPECT_EQ(h.shows, 2);
}

} // namespace
