#include "show/l_time_ramp.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(LTimeRamp, ResetRampStaysInvalid)
{
    LTimeRamp ramp;
    for (uint32_t t : {0u, 1u, 5000u, 0xFFFFFFFFu}) {
        EXPECT_EQ(ramp.ValueAt(t), -1);
        ramp.Advance(t);
        EXPECT_EQ(ramp.value, -1);
        EXPECT_EQ(ramp.referenceTime, 0u);
    }
    ramp.Set(7, LTimeRamp::kRealTime, 3);
    ramp.Reset();
    EXPECT_EQ(ramp.value, -1);
    EXPECT_EQ(ramp.rate, 0);
    EXPECT_EQ(ramp.referenceTime, 0u);
}

struct ValueCase
{
    int64_t value;
    int32_t rate;
    uint32_t reference;
    uint32_t t;
    int64_t expected;
};

TEST(LTimeRamp, ValueAtFollowsRateWithWrapAndTruncation)
{
    const ValueCase cases[] = {
        {1000000, 0x10000, 5000, 15000, 1010000},
        {1000000, 0x10000, 5000, 4000, 999000},
        {0, 0x8000, 0, 3, 1},   // 1.5 truncated
        {0, -0x8000, 0, 3, -1}, // -1.5 truncated toward zero, and then invalid
        {0, 0x10000, 4294967040u, 256, 512},
        {100, 0x10000, 256, 4294967040u, -412}, // backwards across the wrap
        {1000, 0x20000, 0, 10, 1020},
        {1000, -0x10000, 0, 10, 990},
        {1234, 0, 0, 999999, 1234},
        {1234, 0, 999999, 0, 1234},
        {INT64_MAX - 5, 0x10000, 0, 100, INT64_MAX},
    };
    for (const ValueCase& c : cases) {
        LTimeRamp ramp;
        ramp.Set(c.value, c.rate, c.reference);
        EXPECT_EQ(ramp.ValueAt(c.t), c.expected)
            << c.value << " at rate " << c.rate << " from " << c.reference << " to " << c.t;
        EXPECT_EQ(ramp.value, c.value);
    }
}

TEST(LTimeRamp, AdvanceMovesValueAndReference)
{
    LTimeRamp ramp;
    ramp.Set(1000000, LTimeRamp::kRealTime, 4294967040u);
    ramp.Advance(256);
    EXPECT_EQ(ramp.value, 1000512);
    EXPECT_EQ(ramp.referenceTime, 256u);
    ramp.Advance(256);
    EXPECT_EQ(ramp.value, 1000512);
}

TEST(LTimeRamp, ManySmallStepsLagOneStepByTheirTruncations)
{
    constexpr int kSteps = 1000;
    constexpr int32_t kThreeQuarters = 0xC000;
    LTimeRamp stepped;
    LTimeRamp once;
    stepped.Set(0, kThreeQuarters, 0);
    once.Set(0, kThreeQuarters, 0);
    for (uint32_t t = 1; t <= kSteps; ++t) {
        stepped.Advance(t); // 0.75 per step, truncated to 0 every time
    }
    once.Advance(kSteps);
    EXPECT_EQ(once.value, 750);
    EXPECT_EQ(stepped.value, 0);
    EXPECT_LE(once.value - stepped.value, kSteps);
}

} // namespace
