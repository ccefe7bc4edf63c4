#include "activex/bandwidth_limit.h"

#include <gtest/gtest.h>

namespace {

TEST(BandwidthLimitTest, ThrottlesOnlyForAPositiveRate)
{
    struct Case
    {
        int32_t bps;
        bool throttles;
        int32_t property;
    };
    for (const Case& c : {Case{0, false, 0}, Case{-5, false, 0}, Case{32000, true, 32000}, Case{1, true, 1}}) {
        SCOPED_TRACE(c.bps);
        BandwidthLimit limit;
        limit.SetBitsPerSecond(c.bps, 0);
        EXPECT_EQ(limit.Throttles(), c.throttles);
        EXPECT_EQ(limit.BitsPerSecond(), c.property);
    }
    BandwidthLimit fresh;
    EXPECT_FALSE(fresh.Throttles());
}

TEST(BandwidthLimitTest, AllowsTheRateSinceTheStartWithinTheSize)
{
    BandwidthLimit limit;
    limit.SetBitsPerSecond(32000, 0);
    limit.Restart(1000);
    // 32000 bits a second are 4000 bytes a second, 40 a centisecond.
    EXPECT_EQ(limit.Allowed(1100, 100000), 4000);
    EXPECT_EQ(limit.Allowed(1000, 100000), 40); // the start's own centisecond counts one
    EXPECT_EQ(limit.Allowed(3500, 100000), 100000);
    // A clock seen before the start allows no more than the first centisecond.
    EXPECT_EQ(limit.Allowed(900, 100000), 40);
    EXPECT_EQ(limit.Allowed(1100, -3), 0);
}

TEST(BandwidthLimitTest, ANewRateKeepsWhatWasAlreadyAllowed)
{
    BandwidthLimit limit;
    limit.SetBitsPerSecond(32000, 0);
    limit.Restart(0);
    EXPECT_EQ(limit.Allowed(500, 1 << 30), 20000);
    limit.SetBitsPerSecond(64000, 500);
    EXPECT_EQ(limit.Allowed(500, 1 << 30), 20000);
    EXPECT_EQ(limit.Allowed(600, 1 << 30), 28000);
}

TEST(BandwidthLimitTest, HugeRatesAndLongDownloadsStayInRange)
{
    BandwidthLimit limit;
    limit.SetBitsPerSecond(1, 0);
    limit.Restart(0);
    // Going from 1 to 10^9 bits a second would move the start by a negative or enormous time
    // when computed in 32 bits; the allowance stays within the size.
    limit.SetBitsPerSecond(1000000000, 2000000000);
    EXPECT_GE(limit.Allowed(2000000000, 5000), 0);
    EXPECT_LE(limit.Allowed(2000000000, 5000), 5000);
    limit.SetBitsPerSecond(1, 2000000000);
    limit.SetBitsPerSecond(1000000000, 2100000000);
    EXPECT_EQ(limit.Allowed(2100000001, 5000), 5000);
}

} // namespace
