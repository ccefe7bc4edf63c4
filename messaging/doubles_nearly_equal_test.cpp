#include "messaging/doubles_nearly_equal.h"

#include <gtest/gtest.h>

#include <limits>

TEST(DoublesNearlyEqualTest, RelativeToleranceWithAFloor)
{
    struct Case
    {
        double a;
        double b;
        bool equal;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1.0, 1.0000009, true}, {1.0, 1.000002, false},   {1.0000009, 1.0, true}, {0.0, 1e-31, true},
        {0.0, 1e-29, false},    {-1e6, -1000000.9, true}, {-1e6, 1e6, false},     {1e-31, -1e-31, true},
        {nan, nan, false},      {nan, 0.0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DoublesNearlyEqual(c.a, c.b), c.equal) << c.a << " " << c.b;
        EXPECT_EQ(DoublesNearlyEqual(c.b, c.a), c.equal) << c.b << " " << c.a;
    }
}
