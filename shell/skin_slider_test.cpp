#include "shell/skin_slider.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Found by argument lookup from inside the standard library, so not in the unnamed namespace.
bool operator==(const SkinBarPiece& a, const SkinBarPiece& b)
{
    return a.x == b.x && a.width == b.width && a.originX == b.originX && a.sourceX == b.sourceX &&
           a.tileWidth == b.tileWidth;
}

void PrintTo(const SkinBarPiece& p, std::ostream* out)
{
    *out << "{" << p.x << ", " << p.width << ", " << p.originX << ", " << p.sourceX << ", " << p.tileWidth << "}";
}

namespace {

struct PixelCase
{
    bool large;
    int32_t width;
    float fraction;
    int32_t fillEnd;
    int32_t knobX;
};

// Large: x0 216, length width - 233, knob 13; small: x0 78, length width - 88, knob 7.
TEST(SkinSlider, FillEndAndKnobPixels)
{
    const PixelCase cases[] = {
        {true, 640, 0.0f, 216, 216},   {true, 640, 0.5f, 420, 413},  {true, 640, 1.0f, 623, 610},
        {false, 640, 0.0f, 78, 78},    {false, 640, 0.5f, 354, 351}, {false, 640, 1.0f, 630, 623},
        // Out-of-range fractions are held to the track.
        {true, 640, -3.0f, 216, 216},  {true, 640, 7.0f, 623, 610},  {true, 640, NAN, 216, 216},
        // Too narrow for the knob to travel (246 large, 95 small): the knob stays at x0.
        {true, 240, 1.0f, 223, 216},   {true, 246, 1.0f, 229, 216},  {false, 90, 1.0f, 80, 78},
        // Narrower than the track's start: nothing is filled either.
        {true, 100, 1.0f, 216, 216},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.large ? "large " : "small ") << c.width << " at " << c.fraction);
        const SkinSliderGeometry slider = SliderGeometry(c.large, c.width, 480);
        EXPECT_EQ(SliderFillEnd(slider, c.fraction), c.fillEnd);
        EXPECT_EQ(SliderKnobX(slider, c.fraction), c.knobX);
    }
}

TEST(SkinSlider, PositionUnderAPoint)
{
    const SkinSliderGeometry slider = SliderGeometry(true, 640, 480);
    EXPECT_FLOAT_EQ(SliderPositionAt(slider, 216), 0.0f);
    EXPECT_FLOAT_EQ(SliderPositionAt(slider, 216 + 394), 1.0f);
    EXPECT_FLOAT_EQ(SliderPositionAt(slider, 216 - 197), -0.5f); // not clamped
    // No travel: the divisor is 0, so every point is at 0.
    EXPECT_FLOAT_EQ(SliderPositionAt(SliderGeometry(true, 246, 480), 300), 0.0f);
    EXPECT_FLOAT_EQ(ClampFraction(-0.5f), 0.0f);
    EXPECT_FLOAT_EQ(ClampFraction(INFINITY), 1.0f);
}

TEST(SkinSlider, TrackHitsInsideItsBandOnly)
{
    const SkinSliderGeometry large = SliderGeometry(true, 640, 480);
    EXPECT_TRUE(SliderTrackHit(large, 216, 430));
    EXPECT_TRUE(SliderTrackHit(large, 623, 469)); // x1 itself belongs to it
    EXPECT_FALSE(SliderTrackHit(large, 215, 450));
    EXPECT_FALSE(SliderTrackHit(large, 624, 450));
    EXPECT_FALSE(SliderTrackHit(large, 300, 429));
    EXPECT_FALSE(SliderTrackHit(large, 300, 470));
    const SkinSliderGeometry small = SliderGeometry(false, 640, 480);
    EXPECT_TRUE(SliderTrackHit(small, 78, 454));
    EXPECT_FALSE(SliderTrackHit(small, 78, 474));
    // A track too short for its knob takes no hits.
    EXPECT_FALSE(SliderTrackHit(SliderGeometry(true, 240, 480), 218, 450));
}

TEST(SkinSlider, ThreeSliceBarPieces)
{
    const SkinBarImage bar = SliderBarImage(true, false);
    using Pieces = std::vector<SkinBarPiece>;
    // The whole bar: caps of 8 from the source's ends, the middle tiled from the source's middle
    // (391 wide), also across a length it does not divide.
    EXPECT_EQ(SliderBarPieces(bar, 216, 407, 0, 2000),
              (Pieces{{216, 8, 216, 216, 8}, {224, 391, 224, 224, 391}, {615, 8, 615, 615, 8}}));
    EXPECT_EQ(SliderBarPieces(bar, 216, 1000, 0, 2000),
              (Pieces{{216, 8, 216, 216, 8}, {224, 984, 224, 224, 391}, {1208, 8, 1208, 615, 8}}));
    // Below two caps, each cap takes half the length and the middle is gone.
    EXPECT_EQ(SliderBarPieces(bar, 216, 10, 0, 2000), (Pieces{{216, 5, 216, 216, 5}, {221, 5, 221, 618, 5}}));
    EXPECT_EQ(SliderBarPieces(bar, 216, 11, 0, 2000),
              (Pieces{{216, 5, 216, 216, 5}, {221, 1, 221, 224, 391}, {222, 5, 222, 618, 5}}));
    // Clipped to a span, the middle keeps its tiling origin.
    EXPECT_EQ(SliderBarPieces(bar, 216, 407, 300, 400), (Pieces{{300, 100, 224, 224, 391}}));
    // Nothing for an empty or negative length.
    EXPECT_TRUE(SliderBarPieces(bar, 216, 0, 0, 2000).empty());
    EXPECT_TRUE(SliderBarPieces(bar, 216, -20, 0, 2000).empty());
}

} // namespace
