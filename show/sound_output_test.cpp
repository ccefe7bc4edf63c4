#include "show/sound_output.h"

#include "platform/test_support/sound_device_fake.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace {

constexpr int32_t kCdRing = 882000;     // 5 s of 16-bit stereo at 44,100 Hz
constexpr int32_t kCdThreshold = 17640; // 100 ms of it
// A moving start leads by a fifth of the rate counted in bytes (not in sample frames): 50 ms of
// CD sound, short enough that little of the ring's old sound is heard after a move, long enough
// for the write that follows the move to land ahead of the device.
constexpr int32_t kCdLead = 8820;

std::vector<uint8_t> Pattern(int32_t length, uint8_t seed = 1)
{
    std::vector<uint8_t> bytes(length);
    for (int32_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return bytes;
}

class SoundOutputTest : public ::testing::Test
{
  protected:
    std::shared_ptr<FakeSoundHardware> hw = std::make_shared<FakeSoundHardware>();
    LW32DSnd sound{FakeSoundOpener(hw)};

    // CD format, 5 s ring, playback requested.
    void OpenCd(int32_t size = 0)
    {
        ASSERT_TRUE(sound.Open(44100, 2, 16, nullptr));
        ASSERT_TRUE(sound.CreateBuffer(44100, 2, 16, size));
        ASSERT_TRUE(sound.Play(true));
    }

    int32_t WriteBytes(int32_t length, uint8_t seed = 1)
    {
        const auto bytes = Pattern(length, seed);
        return sound.Write(bytes.data(), length);
    }

    std::pair<int64_t, int64_t> Counters()
    {
        int64_t played = 0;
        int64_t written = 0;
        EXPECT_TRUE(sound.GetCounters(played, written));
        return {played, written};
    }
};

struct RingCase
{
    int32_t rate, channels, bits, size;
    int32_t ring, blockAlign, threshold, limit;
};

TEST_F(SoundOutputTest, RingSizesThresholdsAndLimits)
{
    const RingCase cases[] = {
        {44100, 2, 16, 0, 882000, 4, 17640, 793800},
        {44100, 2, 16, 1001, 1004, 4, 1004, 904}, // a tenth of a second does not fit: the whole ring
        {22050, 1, 16, 0, 220500, 2, 4410, 198450},
        {8000, 1, 8, 0, 40000, 1, 800, 36000},
        {192000, 8, 16, 0, 15360000, 16, 307200, 13824000},
        {48000, 6, 16, 100, 108, 12, 108, 98},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch, size " << c.size);
        ASSERT_TRUE(sound.Open(c.rate, c.channels, c.bits, nullptr));
        ASSERT_TRUE(sound.CreateBuffer(c.rate, c.channels, c.bits, c.size));
        EXPECT_EQ(sound.BufferSize(), c.ring);
        EXPECT_EQ(static_cast<int32_t>(hw->Ring().size()), c.ring);
        EXPECT_EQ(sound.BlockAlign(), c.blockAlign);
        EXPECT_EQ(sound.BytesPerFrame(), c.blockAlign);
        EXPECT_EQ(sound.StartThreshold(), c.threshold);
        EXPECT_EQ(sound.UnderrunLimit(), c.limit);
        EXPECT_EQ(Counters(), std::make_pair(int64_t{0}, int64_t{0}));
        EXPECT_FALSE(hw->Playing());
        sound.Close();
        EXPECT_TRUE(!hw->HasRing());
    }
}

TEST_F(SoundOutputTest, RefusesFormatsOutsideTheBoundsBeforeTouchingADevice)
{
    const SoundFormat refused[] = {
        {7999, 2, 16},  {192001, 2, 16}, {44100, 0, 16},  {44100, 9, 16},
        {44100, 2, 24}, {44100, 2, 0},   {-44100, 2, 16}, {INT32_MAX, 255, 16},
    };
    for (const auto& f : refused) {
        SCOPED_TRACE(testing::Message() << f.rate << " Hz, " << f.channels << " ch, " << f.bits << " bits");
        hw->deviceName = "untouched";
        EXPECT_FALSE(sound.Open(f.rate, f.channels, f.bits, nullptr));
        EXPECT_EQ(hw->deviceName, "untouched");
        EXPECT_FALSE(sound.IsCreated());

        ASSERT_TRUE(sound.Open(44100, 2, 16, nullptr));
        EXPECT_FALSE(sound.CreateBuffer(f.rate, f.channels, f.bits, 0));
        EXPECT_FALSE(sound.IsCreated()); // a failed buffer closes everything
        EXPECT_FALSE(sound.HasBuffer());
    }
}

TEST_F(SoundOutputTest, FailsCleanlyWithoutDeviceOrBuffer)
{
    hw->present = false;
    EXPECT_FALSE(sound.Open(44100, 2, 16, nullptr));
    EXPECT_FALSE(sound.CreateBuffer(44100, 2, 16, 0));

    hw->present = true;
    hw->refuseFormat = true;
    EXPECT_FALSE(sound.Open(44100, 2, 16, nullptr));
    EXPECT_FALSE(sound.IsCreated());

    hw->refuseFormat = false;
    ASSERT_TRUE(sound.Open(44100, 2, 16, "second card"));
    EXPECT_EQ(hw->deviceName, "second card");
    EXPECT_EQ(sound.PrimaryFormat(), (SoundFormat{44100, 2, 16}));

    int64_t played = 0;
    int64_t written = 0;
    EXPECT_FALSE(sound.GetCounters(played, written));
    EXPECT_EQ(played, -1);
    EXPECT_EQ(written, -1);
    const uint8_t byte = 0;
    EXPECT_EQ(sound.Write(&byte, 1), -1);
    EXPECT_FALSE(sound.Play(true));
    EXPECT_FALSE(sound.Stop());
    EXPECT_FALSE(sound.Start(0, false, false));
    EXPECT_FALSE(sound.AddPlayed(4));
}

TEST_F(SoundOutputTest, PlaybackStartsWhenTheThresholdIsCrossed)
{
    OpenCd();
    EXPECT_EQ(WriteBytes(kCdThreshold - 4), kCdThreshold - 4);
    EXPECT_FALSE(hw->Playing());
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(WriteBytes(4, 9), 4);
    EXPECT_TRUE(hw->Playing());
    EXPECT_TRUE(hw->Looping());
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_EQ(hw->playCalls, 1);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{0}, int64_t{kCdThreshold}));

    const auto first = Pattern(kCdThreshold - 4);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), hw->Ring().begin()));
    EXPECT_EQ(hw->Ring()[kCdThreshold - 4], 9);
}

TEST_F(SoundOutputTest, PlayWithEnoughBufferedStartsAtOnce)
{
    ASSERT_TRUE(sound.Open(44100, 2, 16, nullptr));
    ASSERT_TRUE(sound.CreateBuffer(44100, 2, 16, 0));
    EXPECT_EQ(WriteBytes(kCdThreshold), kCdThreshold);
    EXPECT_FALSE(hw->Playing()); // nobody asked for playback yet
    EXPECT_TRUE(sound.Play(false));
    EXPECT_TRUE(hw->Playing());
    EXPECT_FALSE(hw->Looping());

    EXPECT_TRUE(sound.Stop());
    EXPECT_FALSE(hw->Playing());
    EXPECT_EQ(WriteBytes(kCdThreshold), kCdThreshold);
    EXPECT_FALSE(hw->Playing()); // stopped stays stopped

    hw->failPlay = true;
    EXPECT_FALSE(sound.Play(true));
    EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(SoundOutputTest, WriteTakesWhatFitsAndWrapsAroundTheRing)
{
    OpenCd(1000); // the threshold is the whole ring
    hw->writeLead = 100;
    EXPECT_EQ(WriteBytes(600, 1), 600);
    EXPECT_FALSE(hw->Playing());
    EXPECT_EQ(WriteBytes(600, 50), 400);
    EXPECT_TRUE(hw->Playing());
    EXPECT_EQ(WriteBytes(10), 0);
    const auto second = Pattern(400, 50);
    EXPECT_TRUE(std::equal(second.begin(), second.end(), hw->Ring().begin() + 600));

    hw->Advance(700);
    EXPECT_EQ(WriteBytes(650, 70), 650);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{700}, int64_t{1650}));
    hw->Advance(500);
    // Room for 550 of the 1000 - 100 bytes the device leaves free; 350 end the ring, 200 start it.
    EXPECT_EQ(WriteBytes(600, 80), 550);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{1200}, int64_t{2200}));
    const auto wrapped = Pattern(550, 80);
    EXPECT_TRUE(std::equal(wrapped.begin(), wrapped.begin() + 350, hw->Ring().begin() + 650));
    EXPECT_TRUE(std::equal(wrapped.begin() + 350, wrapped.end(), hw->Ring().begin()));
    EXPECT_EQ(sound.Restarts(), 0);
}

TEST_F(SoundOutputTest, PlayedFollowsThePlayCursorAcrossLaps)
{
    OpenCd();
    hw->writeLead = 4096;
    ASSERT_EQ(WriteBytes(400000), 400000);
    int64_t heard = 0;
    for (int lap = 0; lap < 12; ++lap) {
        hw->Advance(300000);
        heard += 300000;
        ASSERT_EQ(WriteBytes(300000), 300000);
        EXPECT_EQ(Counters().first, heard);
    }
    EXPECT_EQ(Counters(), std::make_pair(int64_t{3600000}, int64_t{4000000}));
    EXPECT_EQ(sound.Restarts(), 0);
}

TEST_F(SoundOutputTest, AnAdvanceOfMostOfALapCountsAsNone)
{
    OpenCd();
    ASSERT_EQ(WriteBytes(800000), 800000);
    hw->Advance(1000);
    EXPECT_EQ(Counters().first, 1000);
    hw->Advance(793800); // the underrun limit
    EXPECT_EQ(Counters().first, 1000);
    hw->Advance(90000); // counted from the cursor last accepted: that lap is lost
    EXPECT_EQ(Counters().first, 1000 + (793800 + 90000 - kCdRing));
}

TEST_F(SoundOutputTest, UnderrunRestartsEmptyAndPlaysAgainAtTheThreshold)
{
    OpenCd();
    hw->writeLead = 4096;
    ASSERT_EQ(WriteBytes(kCdThreshold), kCdThreshold);
    ASSERT_TRUE(hw->Playing());
    hw->Advance(kCdThreshold - 4096);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{kCdThreshold - 4096}, int64_t{kCdThreshold}));
    EXPECT_EQ(sound.Restarts(), 0);

    hw->Advance(4);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{kCdThreshold}, int64_t{kCdThreshold}));
    EXPECT_EQ(sound.Restarts(), 1);
    EXPECT_FALSE(hw->Playing());
    EXPECT_EQ(hw->PlayCursor(), 0);

    // Playback resumes from the start of the ring once the threshold is buffered again.
    EXPECT_EQ(WriteBytes(kCdThreshold - 1, 3), kCdThreshold - 1);
    EXPECT_FALSE(hw->Playing());
    EXPECT_EQ(WriteBytes(1), 1);
    EXPECT_TRUE(hw->Playing());
    EXPECT_EQ(hw->HeardBytes(1)[0], 3); // the device pulled it at once
    EXPECT_EQ(Counters(), std::make_pair(int64_t{kCdThreshold}, int64_t{2 * kCdThreshold}));

    hw->Advance(kCdThreshold);
    EXPECT_EQ(Counters().first, 2 * kCdThreshold);
    EXPECT_EQ(sound.Restarts(), 2);
}

struct LeadCase
{
    int32_t rate, channels, bits, size;
    int32_t lead;
};

TEST_F(SoundOutputTest, StartWithoutRestartLeadsByAFifthOfTheRateInWholeFrames)
{
    const LeadCase cases[] = {
        {44100, 2, 16, 0, kCdLead}, {22050, 1, 16, 0, 4410},
        {22055, 1, 16, 0, 4412}, // 4411 raised to whole frames
        {11025, 3, 16, 0, 2208}, // 2205 raised to whole 6-byte frames
        {8000, 1, 8, 0, 1600},      {48000, 8, 16, 0, 9600},
        {44100, 2, 16, 1001, 1000}, // at most the ring less one frame
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch, size " << c.size);
        ASSERT_TRUE(sound.Open(c.rate, c.channels, c.bits, nullptr));
        ASSERT_TRUE(sound.CreateBuffer(c.rate, c.channels, c.bits, c.size));
        ASSERT_TRUE(sound.Start(0, false, false));
        EXPECT_EQ(Counters(), std::make_pair(int64_t{0}, int64_t{c.lead}));
    }
}

TEST_F(SoundOutputTest, StartWithoutRestartMovesTheCountersPast32Bits)
{
    OpenCd();
    hw->writeLead = 4096;
    ASSERT_EQ(WriteBytes(100000), 100000);
    hw->Advance(20000);
    constexpr int64_t kPosition = 5'000'000'000;
    ASSERT_TRUE(sound.Start(kPosition, false, false));
    EXPECT_TRUE(hw->Playing());
    EXPECT_EQ(Counters(), std::make_pair(kPosition, kPosition + 4096 + kCdLead));

    // The next write lands behind the lead.
    ASSERT_EQ(WriteBytes(8, 200), 8);
    EXPECT_EQ(hw->Ring()[20000 + 4096 + kCdLead], 200);
    hw->Advance(1000);
    EXPECT_EQ(Counters(), std::make_pair(kPosition + 1000, kPosition + 4096 + kCdLead + 8));
}

TEST_F(SoundOutputTest, StartWithAFlagRestartsAtThePosition)
{
    struct Case
    {
        bool clear, force, cursorsFail;
        bool silenced;
    };
    const Case cases[] = {
        {true, false, false, false},
        {false, true, false, true},
        {true, true, false, true},
        {false, false, true, false}, // unreadable cursors: restart instead of moving
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "clear " << c.clear << " force " << c.force);
        OpenCd();
        ASSERT_EQ(WriteBytes(50000, 5), 50000);
        hw->Advance(10000);
        hw->failCursors = c.cursorsFail;
        constexpr int64_t kPosition = 6'000'000'000;
        ASSERT_TRUE(sound.Start(kPosition, c.clear, c.force));
        hw->failCursors = false;
        EXPECT_FALSE(hw->Playing());
        EXPECT_EQ(hw->PlayCursor(), 0);
        EXPECT_EQ(Counters(), std::make_pair(kPosition, kPosition));
        EXPECT_EQ(hw->Ring()[20000] == 0, c.silenced);
        sound.Close();
    }
}

TEST_F(SoundOutputTest, AddPlayedMovesBothCountersBy64Bits)
{
    OpenCd();
    ASSERT_EQ(WriteBytes(kCdThreshold), kCdThreshold);
    constexpr int64_t kShift = 3'000'000'000;
    ASSERT_TRUE(sound.AddPlayed(kShift));
    EXPECT_EQ(Counters(), std::make_pair(kShift, kShift + kCdThreshold));
    ASSERT_TRUE(sound.AddPlayed(-kShift - kShift));
    EXPECT_EQ(Counters(), std::make_pair(-kShift, -kShift + kCdThreshold));
    hw->Advance(100);
    EXPECT_EQ(Counters().first, -kShift + 100);
}

TEST_F(SoundOutputTest, ALostBufferIsRestoredAndRestarted)
{
    OpenCd();
    ASSERT_EQ(WriteBytes(50000), 50000);
    hw->Advance(1000);
    hw->Lose();
    EXPECT_EQ(WriteBytes(100), 100); // restored, then written from the start of the ring
    EXPECT_EQ(hw->restores, 1);
    EXPECT_EQ(Counters(), std::make_pair(int64_t{50000}, int64_t{50100}));

    hw->lost = true;
    hw->failRestore = true;
    EXPECT_EQ(WriteBytes(100), 0);
    EXPECT_FALSE(sound.Play(true));
}

TEST_F(SoundOutputTest, UnreadableDeviceStateFails)
{
    OpenCd();
    hw->failCursors = true;
    EXPECT_EQ(WriteBytes(100), -1);
    int64_t played = 0;
    int64_t written = 0;
    EXPECT_FALSE(sound.GetCounters(played, written));
    EXPECT_EQ(played, -1);
    EXPECT_EQ(written, -1);
    hw->failCursors = false;
    hw->failStatus = true;
    EXPECT_EQ(WriteBytes(100), 0);
    EXPECT_FALSE(sound.Play(true));
    EXPECT_EQ(WriteBytes(0), 0);
}

} // namespace
