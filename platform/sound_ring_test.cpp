#include "platform/internal/sound_ring.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr SoundFormat kCd{44100, 2, 16};

TEST(SoundRing, RefusesPartialFramesAndRingsNoLargerThanTheDeviceBuffer)
{
    struct Case
    {
        SoundFormat format;
        int32_t size;
        int32_t deviceBuffer;
        bool accepted;
    };
    const Case cases[] = {
        {kCd, 4100, 4096, true},   {kCd, 4096, 4096, false}, {kCd, 4098, 0, false},
        {kCd, 0, 0, false},        {kCd, -4, 0, false},      {{8000, 1, 8}, 1, 0, true},
        {{8000, 0, 8}, 4, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes over a buffer of " << c.deviceBuffer);
        EXPECT_EQ(SoundRing::Refusal(c.format, c.size, c.deviceBuffer).empty(), c.accepted);
    }
}

TEST(SoundRing, FeedHandsOutTheRingInOrderAndSilencesWhatItTook)
{
    SoundRing ring({8000, 1, 8}, 8);
    ring.SetDeviceBuffer(2);
    const uint8_t bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(ring.Write(0, bytes, 8));
    ASSERT_TRUE(ring.SetPosition(2));
    ring.Play(false);
    uint8_t out[4] = {};
    ring.Feed(out, 4, 0);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{3, 4, 5, 6}));
    EXPECT_EQ(ring.Bytes(), (std::vector<uint8_t>{1, 2, 0x80, 0x80, 0x80, 0x80, 7, 8}));
    int32_t play = 0;
    int32_t write = 0;
    ring.Cursors(play, write, 0);
    EXPECT_EQ(write, 6);
    EXPECT_EQ(play, 4); // two bytes held by the device
    // Without looping the ring stops at its end; the rest of the period is silence.
    uint8_t rest[8] = {};
    ring.Feed(rest, 8, 0);
    EXPECT_EQ(std::vector<uint8_t>(rest, rest + 8), (std::vector<uint8_t>{7, 8, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_FALSE(ring.Playing());
    ring.Cursors(play, write, 0);
    EXPECT_EQ(play, 0);
    EXPECT_EQ(write, 0);
}

TEST(SoundRing, DeviceThreadAndOwnerMeetOnlyUnderTheRingsLock)
{
    SoundRing ring(kCd, 44100);
    ring.SetDeviceBuffer(4096);
    ring.Play(true);
    std::atomic<bool> done{false};
    std::thread device([&] {
        std::vector<uint8_t> period(4096);
        for (int64_t now = 0; !done; now += 1000) {
            ring.Feed(period.data(), static_cast<int32_t>(period.size()), now);
        }
    });
    const std::vector<uint8_t> bytes(1000, 7);
    for (int i = 0; i < 2000; ++i) {
        int32_t play = 0;
        int32_t write = 0;
        ring.Cursors(play, write, i * 1000);
        EXPECT_TRUE(play >= 0 && play < ring.Size() && write >= 0 && write < ring.Size());
        ring.Write(write, bytes.data(), static_cast<int32_t>(bytes.size()));
        if (i % 500 == 0) {
            ring.SetPosition(0);
        }
    }
    done = true;
    device.join();
}

} // namespace
