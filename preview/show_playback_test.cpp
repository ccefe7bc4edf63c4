#include "playback_harness.h"

#include "l_beamvista_status_callback.h"
#include "temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int64_t kSecond = 1000000;
constexpr int64_t kTick = PlaybackHarness::kTickUs;
// Longer than the ring's lead after a seek, so the cursor has reached the sound written after it.
constexpr int32_t kSettleTicks = 40;

class ShowPlaybackTest : public TempTreeFixture
{
  protected:
    std::string Show(const std::string& name, HarnessShowOptions options = {})
    {
        const std::string path = MakeHarnessShow(Root(), name, options);
        EXPECT_FALSE(path.empty()) << name;
        return path;
    }
};

// Runs ticks and checks that the picture and the sound move on together: the frame drawn rises
// by one per tick (rates that divide into 10 ms ticks) and the sample heard by rate / 100.
void ExpectSteadyPlay(PlaybackHarness& h, int32_t rate, int32_t ticks, const char* after)
{
    std::optional<int64_t> heard = h.HeardFrame();
    int64_t shown = h.ShownFrame();
    for (int32_t i = 0; i < ticks; ++i) {
        h.Tick();
        const std::optional<int64_t> nowHeard = h.HeardFrame();
        ASSERT_TRUE(nowHeard.has_value()) << after << ", tick " << i;
        if (rate == 22050) {
            EXPECT_LT(std::llabs(h.Drift()), kSecond / rate + 1) << after << ", tick " << i;
        } else {
            EXPECT_EQ(h.Drift(), 0) << after << ", tick " << i;
            EXPECT_EQ(h.ShownFrame(), shown + 1) << after << ", tick " << i;
        }
        if (heard) {
            EXPECT_NEAR(static_cast<double>(*nowHeard - *heard), rate / 100.0, 0.5) << after << ", tick " << i;
        }
        const int64_t position = h.playback.PlayClock().value;
        EXPECT_EQ(h.StreamFrameAt(position), h.RecordedFrameAt(position)) << after;
        heard = nowHeard;
        shown = h.ShownFrame();
    }
}

class ShowPlaybackSyncTest : public ShowPlaybackTest, public ::testing::WithParamInterface<int32_t>
{
};

TEST_P(ShowPlaybackSyncTest, PictureFollowsTheSoundThroughSeeksAndSteps)
{
    const int32_t rate = GetParam();
    PlaybackHarness h(rate);
    ASSERT_TRUE(h.playback.AddShow(XAString(Show("a.zyl", {rate}).c_str()), XAString(), -1, nullptr, true));
    h.Tick(kSettleTicks);
    ExpectSteadyPlay(h, rate, 20, "start");
    struct Event
    {
        const char* what;
        std::function<bool(LShowPlayback&)> run;
    };
    const Event events[] = {
        {"forward", [](LShowPlayback& p) { return p.Navigate(4); }},
        {"backward", [](LShowPlayback& p) { return p.Navigate(8); }},
        {"fast forward", [](LShowPlayback& p) { return p.Navigate(0x24); }},
        {"fast backward", [](LShowPlayback& p) { return p.Navigate(0x28); }},
        {"frame forward", [](LShowPlayback& p) { return p.Navigate(0x44); }},
        {"frame backward", [](LShowPlayback& p) { return p.Navigate(0x48); }},
        {"seek to 0.6", [](LShowPlayback& p) { return p.SeekFraction(0.6f); }},
        {"stop, play", [](LShowPlayback& p) { return p.Stop() && p.Play(); }},
    };
    for (const Event& e : events) {
        const int64_t before = h.playback.PlayClock().value;
        ASSERT_TRUE(e.run(h.playback)) << e.what;
        EXPECT_NE(h.playback.PlayClock().value, before) << e.what;
        h.Tick(kSettleTicks);
        ExpectSteadyPlay(h, rate, 10, e.what);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, ShowPlaybackSyncTest, ::testing::Values(48000, 44100, 22050));

} // namespace
