#include "platform/internal/pulled_play_cursor.h"

#include <gtest/gtest.h>

namespace {

// 48 kHz 16-bit stereo: 192 bytes a millisecond.
constexpr int64_t kBytesPerSecond = 192000;
constexpr int32_t kBlockAlign = 4;
constexpr int32_t kPeriod = 4096;

PulledPlayCursor SteadyCursor()
{
    PulledPlayCursor cursor;
    cursor.SetFormat(kBytesPerSecond, kBlockAlign);
    cursor.OnPull(kPeriod, kPeriod, 0);
    cursor.OnPull(kPeriod, kPeriod, 21333);
    return cursor;
}

TEST(PulledPlayCursor, AdvancesWithTimeBetweenPullsUpToOnePeriod)
{
    struct Case
    {
        int64_t sinceLastPullUs;
        int64_t heard;
    };
    const Case cases[] = {
        {0, kPeriod},
        {1000, kPeriod + 192},
        {10001, kPeriod + 1920}, // whole sample frames only
        {21333, kPeriod + 4092},
        {50000, 2 * kPeriod}, // a late pull: no further than what the device holds
        {-5000, kPeriod},     // a clock that steps back counts as no time
    };
    for (const Case& c : cases) {
        PulledPlayCursor cursor = SteadyCursor();
        EXPECT_EQ(cursor.Heard(21333 + c.sinceLastPullUs), c.heard) << c.sinceLastPullUs;
    }
}

TEST(PulledPlayCursor, NeverRunsBack)
{
    PulledPlayCursor cursor = SteadyCursor();
    EXPECT_EQ(cursor.Heard(21333 + 20000), kPeriod + 3840);
    // A short pull while the device still holds a whole period: the pull alone would put the
    // position back by almost a period.
    cursor.OnPull(16, kPeriod, 21333 + 20000);
    EXPECT_EQ(cursor.Heard(21333 + 20000), kPeriod + 3840);
    EXPECT_EQ(cursor.Heard(21333 + 40000), 2 * kPeriod + 16 - kPeriod + 3840);
    cursor.LimitHeld(0);
    EXPECT_EQ(cursor.Heard(21333 + 40000), 2 * kPeriod + 16);
}

TEST(PulledPlayCursor, SettlingCountsEverythingPulledAsHeard)
{
    PulledPlayCursor cursor = SteadyCursor();
    cursor.Settle();
    EXPECT_EQ(cursor.Held(), 0);
    EXPECT_EQ(cursor.Heard(21333), 2 * kPeriod);
    EXPECT_EQ(cursor.Heard(99999999), 2 * kPeriod);
}

} // namespace
