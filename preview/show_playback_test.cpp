#include "preview/test_support/playback_harness.h"

#include "preview/l_beamvista_status_callback.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ios>

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

XAString Text(const std::string& text)
{
    return XAString(text.c_str());
}

TEST_F(ShowPlaybackTest, PauseFreezesTheClockWhileMuteOnlySilences)
{
    PlaybackHarness h;
    ASSERT_TRUE(h.playback.AddShow(Text(Show("a.zyl")), XAString(), -1, nullptr, true));
    h.Tick(kSettleTicks);

    ASSERT_TRUE(h.playback.Pause());
    const int64_t pausedAt = h.playback.PlayClock().value;
    for (int32_t i = 0; i < 200; ++i) {
        h.Tick();
        ASSERT_EQ(h.playback.PlayClock().value, pausedAt) << "paused, tick " << i;
        if (i >= kSettleTicks)
            ASSERT_FALSE(h.HeardFrame().has_value()) << "paused, tick " << i;
    }
    EXPECT_EQ(h.playback.PlayState(), kPlayStatePaused);
    ASSERT_TRUE(h.playback.Play());
    h.Tick();
    EXPECT_GT(h.playback.PlayClock().value, pausedAt);
    EXPECT_LE(h.playback.PlayClock().value, pausedAt + kSettleTicks * kTick);
    h.Tick(kSettleTicks);
    ExpectSteadyPlay(h, 48000, 10, "resume");

    ASSERT_TRUE(h.playback.SetMute(true));
    EXPECT_FALSE(h.playback.SetMute(true));
    // The ring restarts silent: one tick's stall while it refills.
    h.Tick();
    int64_t shown = h.ShownFrame();
    for (int32_t i = 0; i < 100; ++i) {
        h.Tick();
        ASSERT_EQ(h.ShownFrame(), shown + 1) << "muted, tick " << i;
        shown = h.ShownFrame();
        if (i >= kSettleTicks)
            ASSERT_FALSE(h.HeardFrame().has_value()) << "muted, tick " << i;
    }
    ASSERT_TRUE(h.playback.SetMute(false));
    h.Tick(kSettleTicks);
    ExpectSteadyPlay(h, 48000, 10, "unmute");
}

TEST_F(ShowPlaybackTest, UnmutingWhilePausedStaysSilentAndResumesAtThePausePoint)
{
    PlaybackHarness h;
    ASSERT_TRUE(h.playback.AddShow(Text(Show("a.zyl")), XAString(), -1, nullptr, true));
    h.Tick(kSettleTicks);
    ASSERT_TRUE(h.playback.Pause());
    const int64_t pausedAt = h.playback.PlayClock().value;
    const int64_t audioPausedAt = h.playback.Sound().AudioClock().value;
    h.Tick(kSettleTicks);
    ASSERT_TRUE(h.playback.SetMute(true));
    h.Tick(kSettleTicks);
    ASSERT_TRUE(h.playback.SetMute(false));
    for (int32_t i = 0; i < 100; ++i) {
        h.Tick();
        ASSERT_FALSE(h.HeardFrame().has_value()) << "paused after unmuting, tick " << i;
        ASSERT_EQ(h.playback.PlayClock().value, pausedAt) << "tick " << i;
        ASSERT_EQ(h.playback.Sound().AudioClock().value, audioPausedAt) << "tick " << i;
    }

    ASSERT_TRUE(h.playback.Play());
    // Until the resumed sound reaches the cursor only the silence of the pause plays, never
    // sound from past the pause point.
    for (int32_t i = 0; i < kSettleTicks; ++i) {
        h.Tick();
        if (h.HeardFrame().has_value()) {
            ASSERT_EQ(h.Drift(), 0) << "resuming, tick " << i;
        }
    }
    EXPECT_GT(h.playback.PlayClock().value, pausedAt);
    EXPECT_LE(h.playback.PlayClock().value, pausedAt + (kSettleTicks + 1) * kTick);
    ExpectSteadyPlay(h, 48000, 10, "resume after unmuting");
}

TEST_F(ShowPlaybackTest, NavigateJumpsAndStepsByItsFlags)
{
    PlaybackHarness h;
    ASSERT_TRUE(h.playback.AddShow(Text(Show("a.zyl")), XAString(), -1, nullptr, true));
    // Paused, the clock stands where each navigation put it.
    ASSERT_TRUE(h.playback.Pause());
    const int64_t first = h.playback.Stream().FirstTime();
    const int64_t last = h.playback.Stream().LastTime();
    const int64_t middle = first + (last - first) / 2;
    struct Case
    {
        uint32_t flags;
        bool taken;
        // From the middle of the show; the ends are absolute.
        int64_t moveBy;
        bool toFirst = false;
        bool toEnd = false;
    };
    const Case cases[] = {
        {0x04, true, kSecond / 2},
        {0x08, true, -kSecond / 2},
        {0x24, true, 2 * kSecond},
        {0x28, true, -2 * kSecond},
        {0x44, true, kSecond / 100},
        {0x48, true, -kSecond / 100},
        // A step flag without a direction steps forward.
        {0x20, true, 2 * kSecond},
        {0x40, true, kSecond / 100},
        // Fast wins over frame, backward over forward.
        {0x60, true, 2 * kSecond},
        {0x0C, true, -kSecond / 2},
        {0x01, true, 0, true},
        {0x02, true, 0, false, true},
        // Beginning wins over end, end over the steps.
        {0x03, true, 0, true},
        {0x26, true, 0, false, true},
        // Nothing asked.
        {0x00, false, 0},
        {0x10, false, 0},
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(h.playback.SeekToTime(middle, false));
        EXPECT_EQ(h.playback.Navigate(k.flags), k.taken) << std::hex << k.flags;
        const int64_t expected = k.toFirst ? first : k.toEnd ? std::max(last - 5 * kSecond, first + (last - first) * 3 / 4)
                                                             : middle + k.moveBy;
        EXPECT_EQ(h.playback.PlayClock().value, expected) << std::hex << k.flags;
        EXPECT_EQ(h.playback.CurrentIndex(), 0) << std::hex << k.flags;
    }
}

TEST_F(ShowPlaybackTest, CountersThatCannotBeReadOrADecoderThatCannotSeek)
{
    PlaybackHarness h;
    ASSERT_TRUE(h.playback.AddShow(Text(Show("a.zyl")), XAString(), -1, nullptr, true));
    h.Tick(kSettleTicks);
    const int64_t shown = h.ShownFrame();
    // One tick without counters: the clock runs on, no jump back to the track's start.
    h.hardware->failCursors = true;
    h.Tick();
    h.hardware->failCursors = false;
    EXPECT_EQ(h.ShownFrame(), shown + 1);
    h.Tick();
    EXPECT_EQ(h.ShownFrame(), shown + 2);
    EXPECT_EQ(h.Drift(), 0);

    // A seek the decoder cannot follow: the ring's counters go back to where it really is,
    // the track's start, and the picture follows the sound there.
    ASSERT_NE(h.decoder, nullptr);
    h.decoder->failSeeks = 2;
    ASSERT_TRUE(h.playback.Navigate(0x24));
    h.Tick(kSettleTicks);
    EXPECT_LT(h.ShownFrame(), kSettleTicks + 1);
    ExpectSteadyPlay(h, 48000, 10, "failed decoder seek");
}

TEST_F(ShowPlaybackTest, WithoutASoundDeviceTheShowPlaysOnTheSystemClock)
{
    PlaybackHarness h;
    h.hardware->present = false;
    ASSERT_TRUE(h.playback.AddShow(Text(Show("a.zyl")), XAString(), -1, nullptr, true));
    EXPECT_FALSE(h.playback.Sound().HasBuffer());
    for (int32_t i = 1; i <= 50; ++i) {
        h.Tick();
        ASSERT_EQ(h.ShownFrame(), i);
    }
}

TEST_F(ShowPlaybackTest, AtAShowsEndsTheListMovesOn)
{
    PlaybackHarness h;
    const HarnessShowOptions shortShow{48000, 2.0};
    const std::string a = Show("a.zyl", shortShow);
    const std::string b = Show("b.zyl", shortShow);
    // A lone show loops: its end plus 100 ms (with sound) opens it again from its start.
    ASSERT_TRUE(h.playback.AddShow(Text(a), XAString(), -1, nullptr, true));
    ASSERT_TRUE(h.playback.SeekToTime(h.playback.Stream().LastTime(), false));
    h.Tick(20);
    EXPECT_EQ(h.shows, 2);
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    EXPECT_LT(h.ShownFrame(), 20);

    // With two, 1 s past the end opens the next.
    ASSERT_TRUE(h.playback.AddShow(Text(b), XAString(), -1, nullptr, true));
    ASSERT_TRUE(h.playback.SeekToTime(h.playback.Stream().LastTime(), false));
    h.Tick(95);
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    h.Tick(10);
    EXPECT_EQ(h.playback.CurrentIndex(), 1);
    EXPECT_STREQ(h.playback.CurrentPath().CStr(), b.c_str());

    // Back past the first time of the first entry: the last one, 1 s before its end.
    ASSERT_TRUE(h.playback.StepFile(true));
    EXPECT_EQ(h.playback.CurrentIndex(), 0);
    ASSERT_TRUE(h.playback.Navigate(0x28));
    EXPECT_EQ(h.playback.CurrentIndex(), 1);
    EXPECT_EQ(h.playback.PlayClock().value, h.playback.Stream().LastTime() - kSecond);
}

// A show arriving as a download: the file's bytes, handed over in growing slices.
class Download
{
  public:
    explicit Download(const std::string& path) : bytes_(ReadFileBytes(path))
    {
        data_ = XAString(std::string_view(bytes_));
    }

    // The fewest bytes (in steps of 1 KiB) whose frames reach the show time, or that let the
    // sound reach the byte offset.
    int32_t BytesForTime(int64_t time) const { return Find([time](LLaserPreviewStream& s) { return s.AvailableTimeUs() >= time; }); }
    int32_t BytesForSound(int32_t soundBytes) const
    {
        return Find([soundBytes](LLaserPreviewStream& s) { return s.AvailableSoundBytes() >= soundBytes; });
    }
    int32_t Size() const { return static_cast<int32_t>(bytes_.size()); }
    const XAString& Data() const { return data_; }

    bool Open(LShowPlayback& playback, int32_t size) const
    {
        int32_t need = 0;
        return playback.AddShow(XAString(), data_, size, &need, size == Size());
    }
    bool Grow(LShowPlayback& playback, int32_t size) const
    {
        return playback.Stream().ContinueFromMemory(data_, std::min(size, Size()), size >= Size());
    }

  private:
    template <typename Enough> int32_t Find(Enough enough) const
    {
        LLaserPreviewStream probe;
        int32_t size = kStep;
        int32_t need = 0;
        while (size < Size() && !probe.OpenMemory(data_, size, &need, false))
            size = std::max(size + kStep, need);
        while (size < Size() && !enough(probe)) {
            size = std::min(size + kStep, Size());
            probe.ContinueFromMemory(data_, size, size == Size());
        }
        return size;
    }

    static constexpr int32_t kStep = 1024;
    std::string bytes_;
    XAString data_;
};

TEST_F(ShowPlaybackTest, AShowStillArrivingHoldsOnItsLastLoadedFrame)
{
    constexpr int32_t kRate = 8000;
    PlaybackHarness h(kRate);
    const Download download(Show("late.zyl", {kRate, 30.0}));
    const int64_t first = 3600000000;
    ASSERT_TRUE(download.Open(h.playback, download.BytesForTime(first + 12 * kSecond)));
    EXPECT_EQ(h.playback.EntryCount(), 1);
    EXPECT_STREQ(h.playback.CurrentPath().CStr(), "<zyl>");
    EXPECT_TRUE(h.playback.IsHolding());

    // More than 10 s are there: it plays, until the position reaches the loaded end.
    h.Tick();
    EXPECT_FALSE(h.playback.IsHolding());
    int32_t ticks = 0;
    while (!h.playback.IsHolding() && ticks++ < 2000)
        h.Tick();
    ASSERT_TRUE(h.playback.IsHolding());
    const int64_t held = h.playback.PlayClock().value;
    EXPECT_EQ(held, h.playback.Stream().AvailableTimeUs() - 1);
    EXPECT_EQ(h.StreamFrameAt(held), h.RecordedFrameAt(held));
    EXPECT_LT(h.playback.Progress(), 1.0f);

    // 5 s more are not enough; 10 s are.
    ASSERT_TRUE(download.Grow(h.playback, download.BytesForTime(held + 5 * kSecond)));
    h.Tick(kSettleTicks);
    EXPECT_EQ(h.playback.PlayClock().value, held);
    EXPECT_FALSE(h.HeardFrame().has_value());
    ASSERT_TRUE(download.Grow(h.playback, download.BytesForTime(held + 10 * kSecond + kTick)));
    h.Tick();
    EXPECT_FALSE(h.playback.IsHolding());
    h.Tick(kSettleTicks);
    EXPECT_GT(h.playback.PlayClock().value, held);
    EXPECT_LE(h.playback.PlayClock().value, held + (kSettleTicks + 1) * kTick);
    ExpectSteadyPlay(h, kRate, 10, "after the hold");

    // The download completes during the next hold: playback goes on at once.
    ticks = 0;
    while (!h.playback.IsHolding() && ticks++ < 2000)
        h.Tick();
    ASSERT_TRUE(h.playback.IsHolding());
    const int64_t heldAgain = h.playback.PlayClock().value;
    ASSERT_TRUE(download.Grow(h.playback, download.Size()));
    h.Tick();
    EXPECT_FALSE(h.playback.IsHolding());
    h.Tick();
    EXPECT_GT(h.playback.PlayClock().value, heldAgain);
}

// Taken back to its beginning while holding: the hold must not put the picture back at its
// hold point, nor sound the hold point while stopped.
TEST_F(ShowPlaybackTest, ADownloadTakenBackToItsBeginningStaysThere)
{
    constexpr int32_t kRate = 8000;
    const int64_t first = 3600000000;
    struct Case
    {
        const char* what;
        std::function<bool(LShowPlayback&)> back;
        bool dataCompletesThen;
        int32_t state;
    };
    const Case cases[] = {
        {"stop", [](LShowPlayback& p) { return p.Stop(); }, false, kPlayStateStopped},
        {"stop, then the data completes", [](LShowPlayback& p) { return p.Stop(); }, true, kPlayStateStopped},
        {"the next show", [](LShowPlayback& p) { return p.StepFile(true); }, false, kPlayStatePlaying},
    };
    const Download download(Show("late.zyl", {kRate, 30.0}));
    const std::string next = Show("next.zyl", {kRate, 30.0});
    for (const Case& k : cases) {
        PlaybackHarness h(kRate);
        ASSERT_TRUE(download.Open(h.playback, download.BytesForTime(first + 12 * kSecond))) << k.what;
        ASSERT_TRUE(h.playback.AddShow(Text(next), XAString(), -1, nullptr, true)) << k.what;
        h.Tick();
        int32_t ticks = 0;
        while (!h.playback.IsHolding() && ticks++ < 2000)
            h.Tick();
        ASSERT_TRUE(h.playback.IsHolding()) << k.what;
        ASSERT_GT(h.playback.PlayClock().value, first + 10 * kSecond) << k.what;

        ASSERT_TRUE(k.back(h.playback)) << k.what;
        if (k.dataCompletesThen) {
            ASSERT_TRUE(download.Grow(h.playback, download.Size())) << k.what;
        }
        for (int32_t i = 0; i < kSettleTicks; ++i) {
            h.Tick();
            const int64_t position = h.playback.PlayClock().value;
            ASSERT_GE(position, first) << k.what << ", tick " << i;
            ASSERT_LE(position, first + (i + 1) * kTick) << k.what << ", tick " << i;
            if (k.state == kPlayStateStopped) {
                ASSERT_FALSE(h.HeardFrame().has_value()) << k.what << ", tick " << i;
            }
        }
        EXPECT_EQ(h.playback.PlayState(), k.state) << k.what;
        if (k.state == kPlayStateStopped) {
            EXPECT_EQ(h.playback.PlayClock().value, first) << k.what;
            ASSERT_TRUE(h.playback.Play()) << k.what;
            h.Tick(kSettleTicks);
            EXPECT_LE(h.playback.PlayClock().value, first + (kSettleTicks + 1) * kTick) << k.what;
        }
        ExpectSteadyPlay(h, kRate, 10, k.what);
    }
}

TEST_F(ShowPlaybackTest, SoundArrivingAfterItsFramesIsHeardInStepOnceItCame)
{
    constexpr int32_t kRate = 8000;
    PlaybackHarness h(kRate);
    const Download download(Show("late.zyl", {kRate, 20.0, true, true}));
    // Every frame is there and the first sound chunk, which the open asks for, nothing more.
    const int32_t start = std::max(download.BytesForTime(3600000000 + 19 * kSecond), download.BytesForSound(1));
    ASSERT_TRUE(download.Open(h.playback, start));
    ASSERT_LT(h.playback.Stream().AvailableSoundBytes(), kRate * 4);
    ASSERT_TRUE(h.playback.Sound().HasBuffer());
    h.Tick(kSettleTicks);
    // The first chunk plays; then silence while the picture runs on.
    const int64_t stalledAt = h.ShownFrame();
    h.Tick(100);
    EXPECT_FALSE(h.HeardFrame().has_value());
    EXPECT_EQ(h.ShownFrame(), stalledAt + 100);

    // The silence of the stall fills the ring ahead (its 5 s); the sound follows it, in step.
    ASSERT_TRUE(download.Grow(h.playback, download.Size()));
    h.Tick(700);
    ExpectSteadyPlay(h, kRate, 20, "sound after the stall");
}

TEST_F(ShowPlaybackTest, FailingShowsAreDroppedWithOneBoxPerChain)
{
    const std::string good = Show("a.zyl", {48000, 2.0, false});
    const std::string c = Show("c.zyl", {48000, 2.0, false});
    const std::string broken = MakeBrokenShow(Root(), "broken.zyl");
    const std::string broken2 = MakeBrokenShow(Root(), "broken2.zyl");
    struct Case
    {
        const char* what;
        std::vector<std::string> list;
        // Steps: 1 next file, -1 back past the start.
        int32_t step;
        int32_t boxes;
        int32_t entriesLeft;
        int32_t index;
    };
    const Case cases[] = {
        {"bad middle, next", {good, broken, c}, 1, 1, 2, 1},
        {"all bad, each added alone", {broken, broken2}, 0, 2, 0, -1},
        {"backwards over two bad ones", {good, broken, broken2}, -1, 1, 1, 0},
        {"next wraps over the bad last one", {good, c, broken}, 1, 0, 3, 1},
    };
    for (const Case& k : cases) {
        PlaybackHarness h;
        for (const std::string& path : k.list)
            h.playback.AddShow(Text(path), XAString(), -1, nullptr, true);
        if (k.step > 0)
            h.playback.StepFile(true);
        if (k.step < 0)
            h.playback.Navigate(0x28);
        EXPECT_EQ(static_cast<int32_t>(h.boxes.size()), k.boxes) << k.what;
        EXPECT_EQ(h.playback.EntryCount(), k.entriesLeft) << k.what;
        EXPECT_EQ(h.playback.CurrentIndex(), k.index) << k.what;
        EXPECT_EQ(h.playback.IsShowOpen(), k.index >= 0) << k.what;
        for (const std::string& box : h.boxes) {
            EXPECT_TRUE(box.starts_with(broken + "\n\n") || box.starts_with(broken2 + "\n\n")) << k.what << ": " << box;
            EXPECT_TRUE(box.ends_with("\n\nInvalid Zyl file!")) << box;
        }
    }
}

} // namespace
