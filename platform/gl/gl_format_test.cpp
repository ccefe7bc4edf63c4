#include "platform/gl/gl_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

GlFormatCandidate Format(int32_t colourBits, bool generic, int32_t depthBits = 0)
{
    GlFormatCandidate c;
    c.drawToWindow = c.openGl = c.doubleBuffer = c.rgba = true;
    c.generic = generic;
    c.colourBits = colourBits;
    c.depthBits = depthBits;
    return c;
}

TEST(GlFormatTest, DriversFirstSuitableFormatWithoutGeneric)
{
    GlFormatCandidate single = Format(32, false);
    single.doubleBuffer = false;
    const std::vector<GlFormatCandidate> formats{single, Format(16, false), Format(32, true)};
    EXPECT_EQ(ChooseGlFormat({}, formats), 1);
}

TEST(GlFormatTest, ForcedGenericSkipsAcceleratedFirstChoice)
{
    const std::vector<GlFormatCandidate> formats{Format(32, false), Format(16, true), Format(32, true),
                                                 Format(24, true)};
    GlFormatRequest request;
    request.forceGeneric = true;
    EXPECT_EQ(ChooseGlFormat(request, formats), 2);
}

TEST(GlFormatTest, TiesGoToTheSmallerBitSumThenTheLowerIndex)
{
    GlFormatRequest request;
    request.forceGeneric = true;
    const std::vector<GlFormatCandidate> bySum{Format(32, false), Format(32, true, 24), Format(32, true, 16)};
    EXPECT_EQ(ChooseGlFormat(request, bySum), 2);
    const std::vector<GlFormatCandidate> byIndex{Format(32, false), Format(32, true), Format(32, true)};
    EXPECT_EQ(ChooseGlFormat(request, byIndex), 1);
}

TEST(GlFormatTest, NoCandidate)
{
    EXPECT_EQ(ChooseGlFormat({}, {}), -1);
    GlFormatCandidate pixmapOnly = Format(32, false);
    pixmapOnly.drawToWindow = false;
    const std::vector<GlFormatCandidate> formats{pixmapOnly};
    EXPECT_EQ(ChooseGlFormat({}, formats), -1);
    GlFormatRequest request;
    request.forceGeneric = true;
    const std::vector<GlFormatCandidate> accelerated{Format(32, false)};
    EXPECT_EQ(ChooseGlFormat(request, accelerated), 0) << "without a generic format the driver's choice stays";
}

} // namespace
