// The preview fed a streamable show as a download delivers it: 4 KiB at a time, opened from
// memory as soon as the index is there, continued as the block grows, ended by a final feed.
#include "preview/l_beamvista.h"

#include "preview/test_support/playback_harness.h"
#include "preview/test_support/sound_preview_fixture.h"
#include "show/frame.h"

#include <algorithm>
#include <string>

namespace {

constexpr int32_t kRate = 8000;
constexpr int32_t kStep = 4096;
constexpr int64_t kSecond = 1000000;
constexpr int64_t kFirstTime = 3600000000;

class MemoryFeedTest : public SoundPreviewTest
{
  protected:
    MemoryFeedTest() : SoundPreviewTest(kRate) {}

    void SetUp() override
    {
        SoundPreviewTest::SetUp();
        // Without sound, a share of the bytes is about that share of the show's time.
        const std::string path = Show("feed.zyl", 30.0, false);
        ASSERT_FALSE(path.empty());
        show_ = XAString(std::string_view(ReadFileBytes(path)));
        ASSERT_GT(show_.Length(), 20 * kStep);
    }

    // One step of a download as the control feeds it: the first data opens, later data is fed
    // once the threshold is reached; a threshold not above what was fed waits for one byte more.
    void Feed(int32_t size, bool final)
    {
        size = std::min(size, show_.Length());
        if (!final && size < threshold_)
            return;
        int32_t threshold = 0;
        const bool first = fed_ == 0;
        fed_ = size;
        if (first)
            preview_.OpenFromMemory("feed.zyl", show_, size, &threshold, final);
        else
            preview_.FeedMoreData("feed.zyl", show_, size, final ? nullptr : &threshold, final);
        threshold_ = threshold <= fed_ ? fed_ + 1 : threshold;
    }
    // Feeds 4 KiB steps until the preview's show is open.
    void FeedUntilOpen()
    {
        for (int32_t size = kStep; !preview_.HasOpenShow() && size < show_.Length(); size += kStep)
            Feed(size, false);
    }
    int32_t SizeLoadedUntil(int64_t time) const
    {
        LLaserPreviewStream probe;
        int32_t size = kStep;
        int32_t need = 0;
        while (size < show_.Length() && !probe.OpenMemory(show_, size, &need, false))
            size += kStep;
        while (size < show_.Length() && probe.AvailableTimeUs() < time) {
            size = std::min(size + kStep, show_.Length());
            probe.ContinueFromMemory(show_, size, size == show_.Length());
        }
        return size;
    }

    XAString show_;
    int32_t fed_ = 0;
    int32_t threshold_ = 0;
};

TEST_F(MemoryFeedTest, AStreamableShowOpensWithItsIndexAndHoldsUntilTenSecondsMoreAreThere)
{
    EXPECT_EQ(preview_.GetPlayTimeUs(), -1);
    EXPECT_EQ(preview_.GetBufferedTimeUs(), -1);
    FeedUntilOpen();
    ASSERT_TRUE(preview_.HasOpenShow());
    EXPECT_LT(fed_, show_.Length() / 4) << "the index comes first: the show opens early";
    EXPECT_STREQ(preview_.CurrentPath().CStr(), "feed.zyl");
    EXPECT_TRUE(preview_.Playback().IsHolding());

    // Fed on in 4 KiB steps while the clock runs: held until 10 s past the hold are loaded.
    const int64_t held = preview_.Playback().HoldTime();
    int32_t size = fed_;
    while (preview_.Playback().Stream().AvailableTimeUs() < held + 10 * kSecond) {
        EXPECT_TRUE(preview_.Playback().IsHolding());
        EXPECT_EQ(preview_.GetPlayTimeUs(), held);
        size += kStep;
        Feed(size, false);
        Tick();
    }
    Tick(2);
    EXPECT_FALSE(preview_.Playback().IsHolding());
    Tick(100);
    EXPECT_GT(preview_.GetPlayTimeUs(), held + kSecond / 2);
    const int64_t buffered = preview_.GetBufferedTimeUs();
    EXPECT_EQ(buffered, preview_.Playback().Stream().AvailableTimeUs() - preview_.GetPlayTimeUs());
    EXPECT_GT(buffered, 0);

    // The rest in one final feed: the whole show, nothing held back.
    Feed(show_.Length(), true);
    EXPECT_FALSE(preview_.Playback().Stream().IsIncomplete());
    EXPECT_EQ(preview_.Playback().Entry(0).dataSize, show_.Length());
    EXPECT_EQ(preview_.ShowCount(), 1);
}

// Cut at 40%, the show holds at its start; cut at 80%, at the loaded end, less than 10 s before
// the show's last time: there the final feed's clip to the last time never gives 10 s more.
class CutFeedTest : public MemoryFeedTest, public ::testing::WithParamInterface<int32_t>
{
};

TEST_P(CutFeedTest, AFinalFeedOfACutShowEndsTheHoldAndPlaysWhatArrived)
{
    const int32_t cut = static_cast<int32_t>(int64_t{show_.Length()} * GetParam() / 100);
    for (int32_t size = kStep; size < cut; size += kStep)
        Feed(size, false);
    ASSERT_TRUE(preview_.HasOpenShow());
    const int64_t cutTime = preview_.Playback().Stream().AvailableTimeUs();
    ASSERT_GT(cutTime, kFirstTime + 5 * kSecond) << "without sound, a share of the bytes is about that of the time";
    // Under 10 s loaded it holds at the start; else it plays up to the loaded end and holds there.
    const bool holdsAtStart = cutTime < kFirstTime + 10 * kSecond;
    Tick(100);
    for (int32_t i = 0; i < 4000 && !holdsAtStart && !preview_.Playback().IsHolding(); ++i)
        Tick();
    ASSERT_TRUE(preview_.Playback().IsHolding());
    const int64_t held = preview_.GetPlayTimeUs();
    if (holdsAtStart)
        EXPECT_EQ(held, kFirstTime);
    else
        EXPECT_LT(preview_.Playback().Stream().LastTime() - held, 10 * kSecond) << "no 10 s more can ever come";

    // The download breaks off here; the final feed gives what came, and the clock goes on.
    Feed(cut, true);
    EXPECT_TRUE(preview_.Playback().Stream().IsIncomplete());
    Tick(2);
    EXPECT_FALSE(preview_.Playback().IsHolding());
    for (int32_t i = 0; i < 2000 && preview_.GetPlayTimeUs() <= cutTime + kSecond; ++i)
        Tick();
    EXPECT_GT(preview_.GetPlayTimeUs(), cutTime + kSecond);

    // Past the data the frames are empty and the stream stays sound.
    int64_t time = 0;
    LLaserPreviewStream* stream = preview_.ShowStreamAt(time);
    ASSERT_NE(stream, nullptr);
    ASSERT_GT(time, cutTime);
    LFrame frame;
    stream->ReadFrame(0, time, frame);
    EXPECT_EQ(frame.ValidCount(), 0);
    EXPECT_FALSE(stream->GetError().Failed()) << stream->GetError().Text().CStr();
    // Nothing more will come: what is left counts as loaded, up to the show's end.
    EXPECT_EQ(preview_.GetBufferedTimeUs(), stream->LastTime() - preview_.GetPlayTimeUs());
}

INSTANTIATE_TEST_SUITE_P(CutShare, CutFeedTest, ::testing::Values(40, 80));

TEST_F(MemoryFeedTest, ASmallerBlockReopensTheShowInsteadOfContinuingIt)
{
    const int32_t half = SizeLoadedUntil(kFirstTime + 15 * kSecond);
    FeedUntilOpen();
    Feed(half, false);
    ASSERT_TRUE(preview_.HasOpenShow());
    const uint64_t serial = preview_.Playback().Stream().OpenSerial();
    Feed(half + kStep, false);
    EXPECT_EQ(preview_.Playback().Stream().OpenSerial(), serial) << "a grown block continues the stream";

    // A restarted download: fewer bytes than were fed.
    ASSERT_TRUE(preview_.FeedMoreData("feed.zyl", show_, half - kStep, nullptr, false));
    EXPECT_NE(preview_.Playback().Stream().OpenSerial(), serial);
    EXPECT_EQ(preview_.ShowCount(), 1);
    EXPECT_EQ(preview_.Playback().Entry(0).dataSize, half - kStep);

    // No show open: feeding opens one.
    preview_.CloseAll(true);
    ASSERT_TRUE(preview_.FeedMoreData("", show_, -1, nullptr, true));
    EXPECT_STREQ(preview_.CurrentPath().CStr(), "<zyl>");
    EXPECT_FALSE(preview_.Playback().Stream().IsIncomplete());
}

TEST_F(MemoryFeedTest, TheStatusTextIsKeptUntilItChanges)
{
    EXPECT_TRUE(preview_.StatusText().IsEmpty());
    preview_.SetStatusText("Loading 4K of 0.1M (3.0%)");
    EXPECT_STREQ(preview_.StatusText().CStr(), "Loading 4K of 0.1M (3.0%)");
    preview_.SetStatusText("");
    EXPECT_TRUE(preview_.StatusText().IsEmpty());
}

} // namespace
