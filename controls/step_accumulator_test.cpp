#include "controls/step_accumulator.h"

#include <gtest/gtest.h>

TEST(StepAccumulatorTest, AddsUnitsInSixteenDotSixteenAndSaturates)
{
    struct Case
    {
        int32_t start;
        int64_t units;
        int32_t expected;
    };
    const Case cases[] = {
        {0, 100, 100 * 0x10000},
        {0x8000, -1, 0x8000 - 0x10000},
        // 4,000 pixels of drag: 40,000 units would wrap a 32-bit sum into a step backwards.
        {0, 40000, INT32_MAX},
        {0, -40000, INT32_MIN},
        {INT32_MAX, 1, INT32_MAX},
        {5, int64_t{1} << 60, INT32_MAX},
        {5, -(int64_t{1} << 60), INT32_MIN},
    };
    for (const Case& c : cases) {
        int32_t accumulator = c.start;
        AddStepUnits(accumulator, c.units);
        EXPECT_EQ(accumulator, c.expected) << c.start << " + " << c.units;
    }
}
