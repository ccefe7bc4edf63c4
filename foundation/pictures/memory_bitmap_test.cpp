#include "foundation/pictures/memory_bitmap.h"

#include "foundation/text/glyph_indices.h"
#include "foundation/pictures/h_image.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

TEST(LWBmp, DeviceBitmapSizeIsGrownThenShrunkIntoTheLimits)
{
    struct Case
    {
        int32_t width, height, maxWidth, maxHeight, minWidth, minHeight;
        int32_t madeWidth, madeHeight; // 0 x 0: no surface
    };
    const Case cases[] = {
        {100, 50, 1024, 1024, 256, 256, 800, 400}, // both double until neither is below its minimum
        {3000, 1000, 1024, 1024, 1, 1, 750, 250},
        {256, 256, 256, 256, 256, 256, 256, 256},
        {300, 10, 1024, 1024, 1, 1, 300, 10},
        {5, 3, 0, 0, 1, 1, 0, 0},                         // halved to nothing
        {0, 10, 64, 64, 32, 32, 0, 0},                    // a side of 0 stays 0
        {10, 10, -1, 64, 1, 1, 0, 0},                     // a negative maximum is refused, not halved towards
        {10, 10, 64, -1, 1, 1, 0, 0},                     //
        {1, 1, kIntMax, kIntMax, kIntMax, kIntMax, 0, 0}, // grows past 32 bits, then too large
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " max " << c.maxWidth << "x"
                                        << c.maxHeight << " min " << c.minWidth << "x" << c.minHeight);
        LWBmp bitmap;
        RasterSurface* surface = bitmap.CreateDeviceBitmap(c.width, c.height, c.maxWidth, c.maxHeight,
                                                           c.minWidth, c.minHeight, true);
        if (c.madeWidth == 0) {
            EXPECT_EQ(surface, nullptr);
            EXPECT_EQ(bitmap.Surface(), nullptr);
            continue;
        }
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(bitmap.Width(), c.madeWidth);
        EXPECT_EQ(bitmap.Height(), c.madeHeight);
        EXPECT_EQ(bitmap.BitsPerPixel(), 32);
        EXPECT_EQ(bitmap.Rect().right, c.madeWidth);
        EXPECT_EQ(bitmap.Rect().bottom, c.madeHeight);
        EXPECT_EQ(surface->SelectedBitmap()->Width(), c.madeWidth);
        EXPECT_EQ(surface->SelectedBitmap()->Height(), c.madeHeight);
        EXPECT_EQ(bitmap.Bits(), nullptr); // a device bitmap's bits are not handed out
    }
}

TEST(LWBmp, DeviceBitmapIsFilledBlackOrWhite)
{
    for (const bool black : {true, false}) {
        LWBmp bitmap;
        RasterSurface* surface = bitmap.CreateDeviceBitmap(3, 2, 16, 16, 1, 1, black);
        ASSERT_NE(surface, nullptr);
        const uint8_t value = black ? 0 : 255;
        RasterBitmap& pixels = *surface->SelectedBitmap();
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 3; ++x) {
                EXPECT_EQ(pixels.PixelAt(x, y)[0], value);
                EXPECT_EQ(pixels.PixelAt(x, y)[2], value);
                EXPECT_EQ(pixels.PixelAt(x, y)[3], 0);
            }
        }
    }
}

TEST(LWBmp, CreateDIBHandsOutTheBitsAndDrawsOnlyAt32Bits)
{
    LWBmp bitmap;
    RasterSurface* surface = bitmap.CreateDIB(4, 3, 32, nullptr);
    ASSERT_NE(surface, nullptr);
    ASSERT_NE(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.Bits(), surface->SelectedBitmap()->Bits());
    EXPECT_EQ(bitmap.Rect().right, 4);
    EXPECT_EQ(bitmap.Rect().bottom, 3);

    // Each create starts by releasing what the object held.
    EXPECT_EQ(bitmap.CreateDIB(4, 3, 24, surface), nullptr);
    EXPECT_EQ(bitmap.Surface(), nullptr);
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_EQ(bitmap.CreateDIB(0, 3, 32, nullptr), nullptr);
    ASSERT_NE(bitmap.CreateDIB(1, 1, 32, nullptr), nullptr);
    bitmap.Release();
    EXPECT_EQ(bitmap.Surface(), nullptr);
    EXPECT_EQ(bitmap.Bits(), nullptr);
    bitmap.Release();
}

TEST(LWBmp, ToImageKeepsTheTopRowFirst)
{
    LWBmp bitmap;
    RasterSurface* surface = bitmap.CreateDIB(3, 2, 32, nullptr);
    ASSERT_NE(surface, nullptr);
    surface->FillRect({0, 0, 3, 1}, MakeRgb(0xC0, 0, 0));
    surface->FillRect({0, 1, 3, 2}, MakeRgb(0, 0, 0xB0));
    bitmap.Bits()[3] = 0x7F; // the first pixel's fourth byte
    for (const bool alpha : {false, true}) {
        SCOPED_TRACE(alpha);
        HImageRef image;
        ASSERT_TRUE(bitmap.ToImage(image, alpha));
        EXPECT_EQ(image->Width(), 3);
        EXPECT_EQ(image->Height(), 2);
        EXPECT_EQ(image->WordsPerLine(), 6);
        EXPECT_EQ(image->Flags(), alpha ? 0x104u : 0x4u);
        EXPECT_TRUE(image->GetName().IsEmpty());
        const HMemRef pixels = image->LockPixels();
        const auto* bytes = pixels.As<const uint8_t>();
        EXPECT_EQ(bytes[2], 0xC0); // top row red: blue, green, red
        EXPECT_EQ(bytes[0], 0);
        EXPECT_EQ(bytes[image->Pitch() + 0], 0xB0); // bottom row blue
        EXPECT_EQ(bytes[image->Pitch() + 2], 0);
        if (alpha) {
            EXPECT_EQ(bytes[3], 0x7F);
        }
    }
}

TEST(LWBmp, ToImageWithoutBitmapFails)
{
    LWBmp bitmap;
    HImageRef image;
    EXPECT_FALSE(bitmap.ToImage(image, false));
    EXPECT_TRUE(image.IsEmpty());
}

// The preview's font texture: a black device bitmap, a font chosen by name, glyph presence from
// the selected font, text drawn in white, the bitmap copied into a picture.
TEST(LWBmp, FontTextureRoundTrip)
{
    LWBmp bitmap;
    RasterSurface* surface = bitmap.CreateDeviceBitmap(64, 64, 256, 256, 64, 64, true);
    ASSERT_NE(surface, nullptr);
    FontSpec spec;
    spec.faceName = "Tahoma";
    spec.height = 16;
    const std::unique_ptr<FontFace> font = FontFace::Create(spec);
    ASSERT_TRUE(font);
    surface->SelectFont(font.get());
    const LW32GetGlyphIndices glyphs(surface);
    uint8_t present[256] = {};
    ASSERT_TRUE(glyphs.GetPresence(present, 255));
    ASSERT_EQ(present['A'], 1);
    surface->SetTextColour(kRgbWhite);
    surface->TextOut(2, 2, u"A");
    HImageRef image;
    ASSERT_TRUE(bitmap.ToImage(image, false));
    const HMemRef pixels = image->LockPixels();
    const auto* bytes = pixels.As<const uint8_t>();
    int32_t lit = 0;
    for (int32_t i = 0; i < 64 * 64; ++i)
        lit += bytes[4 * i + 1] != 0;
    EXPECT_GT(lit, 10);
    surface->SelectFont(nullptr);
}

} // namespace
