#include "conversion/color_space.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ColorSpace, Hsv240AnchorsAndClamping)
{
    struct Case
    {
        RgbColor in;
        Hsv240 out;
    };
    const Case cases[] = {
        {{255, 255, 0}, {40, 255, 255}},
        {{255, 0, 255}, {200, 255, 255}},
        {{0, 0, 0}, {0, 0, 0}},
        {{90, 90, 90}, {0, 0, 90}},
        {{0, 255, 0}, {80, 255, 255}},
        {{0, 0, 255}, {160, 255, 255}},
        {{255, 128, 0}, {20, 255, 255}},
        {{200, 100, 100}, {0, 127, 200}},
        {{INT_MAX, INT_MIN, 0}, {0, 255, 255}},
        {{-7, -7, 1000}, {160, 255, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RgbToHsv240(c.in), c.out) << c.in.red << "," << c.in.green << "," << c.in.blue;
    }
}

TEST(ColorSpace, HsvToRgbSectorsAndOutOfRangeHues)
{
    struct Case
    {
        int32_t h, s, v;
        RgbColor out;
    };
    const Case cases[] = {
        {250, 255, 255, {255, 0, 0}},  {-3, 255, 255, {255, 0, 0}},    {40, 255, 255, {255, 255, 0}},
        {60, 255, 255, {127, 255, 0}}, {120, 255, 255, {0, 255, 255}}, {200, 255, 255, {255, 0, 255}},
        {10, 0, 100, {100, 100, 100}}, {10, -5, 300, {255, 255, 255}}, {0, 255, 255, {255, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HsvToRgb(c.h, c.s, c.v), c.out) << c.h << " " << c.s << " " << c.v;
    }
}

TEST(ColorSpace, FloatHsvPicksLargestWithTies)
{
    const HsvFloat blue = RgbToHsv({0, 0, 255});
    EXPECT_FLOAT_EQ(blue.hue, 240.0f);
    EXPECT_FLOAT_EQ(blue.saturation, 1.0f);
    EXPECT_FLOAT_EQ(blue.value, 1.0f);
    EXPECT_NEAR(RgbToHsv({255, 128, 0}).hue, 60.0f * 128 / 255, 1e-4);
    EXPECT_NEAR(RgbToHsv({255, 0, 128}).hue, 360.0f - 60.0f * 128 / 255, 1e-3);
    // Equal red and blue: red counts as largest.
    EXPECT_FLOAT_EQ(RgbToHsv({255, 0, 255}).hue, 300.0f);
    const HsvFloat grey = RgbToHsv({128, 128, 128});
    EXPECT_EQ(grey.hue, 0.0f);
    EXPECT_EQ(grey.saturation, 0.0f);
}

TEST(ColorSpace, DistanceHueTermWeightsTheFirstColourOnly)
{
    // Grey first: plain squared distance only; the saturated colour first adds 4 * 64 * 120^2.
    EXPECT_EQ(ColorDistance(128, 128, 128, 0, 0, 255), 48897);
    EXPECT_EQ(ColorDistance(0, 0, 255, 128, 128, 128), 48897 + 3686400);
    EXPECT_EQ(ColorDistance(255, 0, 0, 0, 0, 255), 130050 + 3686400);
    // Hues 349 and 10 (truncated) are 21 degrees apart the short way round.
    EXPECT_EQ(ColorDistance(255, 0, 43, 255, 43, 0), 3698 + 4 * 64 * 21 * 21);
    EXPECT_EQ(ColorDistance(255, 0, 0, 255, 0, 0), 0);
    EXPECT_EQ(ColorDistance(-50, 0, 0, 0, INT_MIN, 0), 0);
}
