#include "show/channel_frame_cache.h"

#include "show/test_support/show_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace show_test;

constexpr int64_t kSecond = 1000000;

// Frames 11 (1 s), NIL (2 s) and 22 (3 s) on stream channel 0; frame 33 (1 s) on channel 1. The
// recording ends each channel with a NIL 100 ms after its last frame.
XAString ThreeEntryShow(int32_t firstMark)
{
    const auto a = PointsFrame(firstMark, 40, 3, 2);
    const auto b = PointsFrame(22, 7);
    const auto c = PointsFrame(33);
    return RecordShow([&](LLaserPreviewStream& s) {
        s.WriteFrame(0, 0, kHour + 1 * kSecond, a.get(), 0, 0);
        s.WriteFrame(0, 1, kHour + 1 * kSecond, c.get(), 0, 0);
        s.WriteFrame(0, 0, kHour + 2 * kSecond, nullptr, 0, 0);
        s.WriteFrame(0, 0, kHour + 3 * kSecond, b.get(), 0, 0);
    });
}

bool SamePoint(const LFrameOutPoint& p, const LFrameOutPoint& q)
{
    return p.channel == q.channel && p.subChannel == q.subChannel && p.x == q.x && p.y == q.y &&
           p.blank == q.blank && p.red == q.red && p.green == q.green && p.blue == q.blue &&
           p.shutterRamp == q.shutterRamp && p.beamRamp == q.beamRamp && p.speed == q.speed;
}

bool SamePoints(std::span<const LFrameOutPoint> a, const std::vector<LFrameOutPoint>& b, int32_t n)
{
    return a.size() == static_cast<size_t>(n) && std::equal(a.begin(), a.end(), b.begin(), SamePoint);
}

TEST(ChannelFrameCache, GivesWhatReadFrameGivesAndReadsEachRecordOnce)
{
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.OpenMemory(ThreeEntryShow(11), -1, nullptr, true));
    LChannelFrameCache cache;
    struct Case
    {
        int32_t channel;
        int64_t time;
        int32_t mark; // -1: an empty frame (NIL), -2: none
        int64_t framesRead;
    };
    // Ticks move forward, back and across channels; a record is read again only after another
    // record of its channel was read.
    const Case cases[] = {
        {0, kHour + kSecond - 1, -2, 0}, {0, kHour + kSecond, 11, 1},     {0, kHour + 1500000, 11, 1},
        {1, kHour + 1050000, 33, 2},     {0, kHour + 1990000, 11, 2},     {0, kHour + 2 * kSecond, -1, 3},
        {0, kHour + 2500000, -1, 3},     {0, kHour + 3 * kSecond, 22, 4}, {0, kHour + 1 * kSecond, 11, 5},
        {1, kHour + 1080000, 33, 5},     {1, kHour + 5 * kSecond, -1, 6}, {32, kHour + 1 * kSecond, -2, 6},
        {-1, kHour + 1 * kSecond, -2, 6}};
    for (const Case& c : cases) {
        const LFrame* frame = cache.Frame(stream, c.channel, c.time);
        LFrame direct;
        const bool found = stream.ReadFrame(c.channel, c.time, direct);
        ASSERT_EQ(frame != nullptr, found) << c.channel << " " << c.time;
        EXPECT_EQ(frame ? MarkOf(*frame) : -2, c.mark) << c.time;
        if (frame)
            EXPECT_TRUE(frame->Equals(direct)) << c.time;
        EXPECT_EQ(cache.FramesRead(), c.framesRead) << c.channel << " " << c.time;
    }
    cache.Drop();
    cache.Frame(stream, 0, kHour + kSecond);
    EXPECT_EQ(cache.FramesRead(), 7);
}

TEST(ChannelFrameCache, AnotherShowAtTheSamePositionsIsReadAnew)
{
    LLaserPreviewStream stream;
    LChannelFrameCache cache;
    ASSERT_TRUE(stream.OpenMemory(ThreeEntryShow(11), -1, nullptr, true));
    ASSERT_NE(cache.Frame(stream, 0, kHour + kSecond), nullptr);
    ASSERT_TRUE(stream.OpenMemory(ThreeEntryShow(44), -1, nullptr, true));
    const LFrame* frame = cache.Frame(stream, 0, kHour + kSecond);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(MarkOf(*frame), 44);
    stream.Close();
    EXPECT_EQ(cache.Frame(stream, 0, kHour + kSecond), nullptr);
    EXPECT_TRUE(cache.Points(0, LFrameRenderSettings()).empty());
}

// The kept render is the render into the preview's full point buffer, points and statistics,
// for each pass's settings; it is made again only for new settings or a new frame.
TEST(ChannelFrameCache, PointsAreTheFullRenderMadeOncePerFrameAndSettings)
{
    LLaserPreviewStream stream;
    ASSERT_TRUE(stream.OpenMemory(ThreeEntryShow(11), -1, nullptr, true));
    LChannelFrameCache cache;
    LFrameRenderSettings graphics;
    LFrameRenderSettings beams;
    beams.simulate = beams.simulatePosition = false;
    beams.oversampling = 1;
    LFrameRenderSettings slow = graphics;
    slow.freqFactor = 0.5f;
    std::vector<LFrameOutPoint> expected(LChannelFrameCache::kRenderCapacity);
    struct Case
    {
        int64_t time;
        const LFrameRenderSettings* settings;
        int64_t renders;
    };
    const Case cases[] = {{kHour + kSecond, &graphics, 1},     {kHour + 1100000, &graphics, 1},
                          {kHour + 1200000, &beams, 2},        {kHour + 1300000, &graphics, 2},
                          {kHour + 1400000, &slow, 3},         {kHour + 1500000, &beams, 4},
                          {kHour + 1600000, &slow, 4},         {kHour + 2 * kSecond, &graphics, 5},
                          {kHour + 3 * kSecond, &graphics, 6}, {kHour + 3 * kSecond, &beams, 7}};
    for (const Case& c : cases) {
        const LFrameRenderSettings& s = *c.settings;
        const LFrame* frame = cache.Frame(stream, 0, c.time);
        ASSERT_NE(frame, nullptr);
        LFrameStats stats;
        const auto points = cache.Points(0, s, &stats);
        LFrameStats expectedStats;
        const int32_t n = frame->Render(expected.data(), LChannelFrameCache::kRenderCapacity, &expectedStats,
                                        s.simulate, s.simulatePosition, s.freqFactor, s.colorDelayFactor,
                                        s.springFactor, s.dampingFactor, s.oversampling);
        EXPECT_TRUE(SamePoints(points, expected, n)) << c.time;
        EXPECT_EQ(stats.channelMask, expectedStats.channelMask) << c.time;
        EXPECT_EQ(stats.subChannelMask, expectedStats.subChannelMask) << c.time;
        EXPECT_EQ(stats.lastTime, expectedStats.lastTime) << c.time;
        EXPECT_EQ(stats.averageSpeed, expectedStats.averageSpeed) << c.time;
        EXPECT_EQ(cache.Renders(), c.renders) << c.time;
    }
}

} // namespace
