#include "shell/skin_region.h"

#include <gtest/gtest.h>

namespace {

bool Contains(const std::vector<RasterRect>& shape, int32_t x, int32_t y)
{
    for (const RasterRect& r : shape) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    }
    return false;
}

TEST(SkinRegion, RoundedCornersOfRadius13)
{
    const std::vector<RasterRect> shape = RoundedWindowShape(640, 480);
    // A pixel is in when its centre lies within 13 of the corner circle's centre (13, 13).
    EXPECT_FALSE(Contains(shape, 0, 0));
    EXPECT_FALSE(Contains(shape, 8, 0));
    EXPECT_TRUE(Contains(shape, 9, 0)); // centre (9.5, 0.5): 3.5² + 12.5² = 168.5 <= 169
    EXPECT_FALSE(Contains(shape, 639, 0));
    EXPECT_TRUE(Contains(shape, 630, 0));
    EXPECT_FALSE(Contains(shape, 631, 0));
    EXPECT_FALSE(Contains(shape, 0, 479));
    EXPECT_FALSE(Contains(shape, 639, 479));
    EXPECT_TRUE(Contains(shape, 0, 13));
    EXPECT_TRUE(Contains(shape, 639, 466));
    EXPECT_FALSE(Contains(shape, 640, 200));
    EXPECT_FALSE(Contains(shape, 200, 480));
    // The straight middle is one rectangle.
    EXPECT_LT(shape.size(), 30u);
}

TEST(SkinRegion, SmallAndEmptyWindows)
{
    EXPECT_TRUE(RoundedWindowShape(0, 0).empty());
    EXPECT_TRUE(RoundedWindowShape(100, 0).empty());
    // Smaller than two radii: the corners take half the side, and the middle stays in.
    const std::vector<RasterRect> small = RoundedWindowShape(9, 9);
    EXPECT_TRUE(Contains(small, 4, 4));
    EXPECT_FALSE(Contains(small, 0, 0));
}

} // namespace
