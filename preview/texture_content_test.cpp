// What the texture kinds hold, before OpenGL sees them: the fog density map, the beam profile,
// the glow spot and picture texels.
#include "preview/beam_profile.h"
#include "preview/fog_density.h"
#include "preview/glow_spot.h"
#include "preview/picture_texels.h"

#include "foundation/pictures/h_image.h"
#include "params/beamvista_pars.h"

#include <gtest/gtest.h>

namespace {

LBeamvistaPars FogPars(bool clouds, float factor, float structure)
{
    LBeamvistaPars p;
    p.p0x91200 = clouds ? 1 : 0;
    p.p0x91207 = factor;
    p.o_fog_structure = structure;
    return p;
}

} // namespace

TEST(FogDensityMap, StructureAndScale)
{
    const FogDensityMap uniform = MakeFogDensityMap(FogPars(true, 1.4f, 0.0f));
    for (uint8_t value : uniform)
        EXPECT_EQ(value, 255);

    const FogDensityMap plain = MakeFogDensityMap(FogPars(false, 1.0f, 1.0f));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(plain[i], i);

    const FogDensityMap half = MakeFogDensityMap(FogPars(false, 1.0f, 0.5f));
    EXPECT_EQ(half[0], 128);
    EXPECT_EQ(half[2], 129);
    EXPECT_EQ(half[255], 255);

    // Scaled and held to a byte.
    const FogDensityMap doubled = MakeFogDensityMap(FogPars(false, 2.0f, 1.0f));
    EXPECT_EQ(doubled[100], 200);
    EXPECT_EQ(doubled[200], 255);
}

TEST(FogDensityMap, CloudsMixInASteepCurveAboveTheThreshold)
{
    LBeamvistaPars p = FogPars(true, 1.0f, 1.0f);
    p.o_fog_cloud_mix = 1.0f;
    p.p0x91205 = 100;
    p.p0x91206 = 0.5f;
    const FogDensityMap map = MakeFogDensityMap(p);
    EXPECT_EQ(map[0], 0);   // 255 - 255 q^0
    EXPECT_EQ(map[100], 0);
    EXPECT_EQ(map[101], 128); // 255 - trunc(127.5)
    EXPECT_EQ(map[102], 192); // 255 - trunc(63.75)
    EXPECT_EQ(map[255], 255);
}

TEST(BeamProfile, KnownTexels)
{
    const BeamProfileShape shape; // a 1, w 0, b 1
    const struct
    {
        int column, row;
        uint8_t value;
    } cases[] = {{256, 128, 255}, {256, 192, 141}, {64, 128, 141}, {0, 77, 0}, {256, 0, 0}, {480, 160, 42}};
    const std::vector<uint8_t> texels = BeamProfileTexels(shape);
    ASSERT_EQ(texels.size(), 512u * 256u);
    for (const auto& c : cases) {
        EXPECT_EQ(texels[static_cast<size_t>(c.row) * 512 + c.column], c.value) << c.column << ", " << c.row;
        EXPECT_EQ(BeamProfileTexel(c.column / 512.0f, c.row / 256.0f, shape), c.value);
    }
    // The edge itself, where float cos dips below 0.
    EXPECT_EQ(BeamProfile(-1.0f, shape), 0.0f);
    EXPECT_EQ(BeamProfile(1.0f, shape), 0.0f);
}

TEST(GlowSpot, FullAtTheCentreNothingBeyondTheRadius)
{
    const std::vector<uint8_t> spot = GlowSpotTexels();
    ASSERT_EQ(spot.size(), 32u * 32u);
    EXPECT_GE(spot[15 * 32 + 15], 240);
    EXPECT_EQ(spot[15 * 32 + 15], spot[16 * 32 + 16]);
    EXPECT_EQ(spot[0], 0);
    EXPECT_EQ(spot[15 * 32 + 0], 7); // 31 half pixels out of 32
    EXPECT_EQ(spot[31 * 32 + 31], 0);
}

namespace {

HImageRef Picture(int32_t w, int32_t h)
{
    HImageRef image = HImage::Create("p", w, h, true, false);
    HMemRef pixels = image->LockPixels();
    auto* bytes = static_cast<uint8_t*>(pixels.GetData());
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = bytes + static_cast<int64_t>(y) * image->Pitch() + 4 * x;
            p[0] = static_cast<uint8_t>(x); // blue: the column
            p[1] = static_cast<uint8_t>(y); // green: the row
            p[2] = 200;
            p[3] = 0;
        }
    return image;
}

} // namespace

TEST(PictureTexels, PowerOfTwoBottomRowFirstPaddedWithZero)
{
    const HImageRef picture = Picture(3, 5);
    PictureTexels texels;
    ASSERT_TRUE(MakePictureTexels(*picture, [](int32_t, int32_t) { return true; }, texels));
    EXPECT_EQ(texels.textureWidth, 4);
    EXPECT_EQ(texels.textureHeight, 8);
    EXPECT_EQ(texels.contentWidth, 3);
    EXPECT_EQ(texels.contentHeight, 5);
    ASSERT_EQ(texels.bgra.size(), 4u * 8u * 4u);
    const auto at = [&](int x, int y) { return &texels.bgra[(static_cast<size_t>(y) * 4 + x) * 4]; };
    EXPECT_EQ(at(2, 0)[0], 2);
    EXPECT_EQ(at(2, 0)[1], 4); // the picture's bottom row
    EXPECT_EQ(at(2, 0)[2], 200);
    EXPECT_EQ(at(2, 0)[3], 255);
    EXPECT_EQ(at(0, 4)[1], 0); // its top row
    for (int y = 0; y < 8; ++y)
        EXPECT_EQ(at(3, y)[3], 0) << y;
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(at(x, 5)[3], 0) << x;
}

TEST(PictureTexels, TooLargeForTheDriverIsScaledKeepingItsShape)
{
    const HImageRef picture = Picture(300, 100);
    PictureTexels texels;
    ASSERT_TRUE(MakePictureTexels(
        *picture, [](int32_t w, int32_t h) { return w <= 128 && h <= 128; }, texels));
    EXPECT_EQ(texels.textureWidth, 128);
    EXPECT_EQ(texels.contentWidth, 128);
    EXPECT_EQ(texels.contentHeight, 42);
    EXPECT_EQ(texels.textureHeight, 64);

    EXPECT_FALSE(MakePictureTexels(*picture, [](int32_t, int32_t) { return false; }, texels));
    EXPECT_EQ(PowerOfTwoAtLeast(0), 1);
    EXPECT_EQ(PowerOfTwoAtLeast(16385), 32768);
}
