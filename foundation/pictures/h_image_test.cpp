#include "foundation/pictures/h_image.h"

#include "System/Modules/HMEM/hmem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

int32_t References(int32_t handle)
{
    HMemBlockInfo info{};
    return HMemGetInfo(handle, info) ? info.referenceCount : 0;
}

// A palettised picture whose pixel (x, y) holds the index y x width + x (mod 256).
HImageRef Indexed(int32_t width, int32_t height, int32_t entries)
{
    const int32_t wordsPerLine = HImageWordsPerLine(width, kImagePalettised);
    std::vector<uint8_t> pixels(static_cast<size_t>(2 * wordsPerLine * height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y * 2 * wordsPerLine + x)] = static_cast<uint8_t>(y * width + x);
    std::vector<HImagePaletteEntry> palette(static_cast<size_t>(entries));
    for (int32_t i = 0; i < entries; ++i)
        palette[static_cast<size_t>(i)] = {0, static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), 7};
    return HImageFromData("indexed", width, height, wordsPerLine, kImagePalettised, entries, palette.data(),
                          pixels.data());
}

uint8_t IndexAt(const HImage& image, int32_t x, int32_t y)
{
    return image.LockPixels().As<const uint8_t>()[y * image.Pitch() + x];
}

TEST(HImage, CreateGivesATrueColourPictureWithItsName)
{
    const HImageRef image = HImage::Create("snapshot", 3, 2, true, false);
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image->Flags(), kImageTrueColour);
    EXPECT_EQ(image->WordsPerLine(), 6);
    EXPECT_EQ(image->Size(), 12);
    EXPECT_EQ(image->GetName(), "snapshot");
    EXPECT_EQ(image->GetHandle(), image.GetHandle());
    EXPECT_EQ(image->GetPalette(), kHMemNoHandle);
    const HMemRef pixels = image->LockPixels();
    EXPECT_EQ(std::vector<uint8_t>(pixels.As<uint8_t>(), pixels.As<uint8_t>() + 24),
              std::vector<uint8_t>(24, 0));
    EXPECT_EQ(HImage::Create(nullptr, 1, 1, false, true)->Flags(), kImageTrueColour | kImageAlpha);
    EXPECT_TRUE(HImage::Create(nullptr, 1, 1, false, false)->GetName().IsEmpty());
}

TEST(HImage, SmallPaletteFlagNeedsFewEntriesAndASmallPicture)
{
    struct Case
    {
        int32_t width, height, entries;
        bool small;
    };
    for (const Case c : {Case{256, 256, 64, true}, Case{256, 256, 65, false}, Case{257, 4, 2, false},
                         Case{4, 257, 2, false}, Case{1, 1, 0, true}}) {
        const HImageRef image = Indexed(c.width, c.height, c.entries);
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ((image->Flags() & kImageSmallPalette) != 0, c.small)
            << c.width << " x " << c.height << ", " << c.entries << " entries";
    }
}

TEST(HImage, FromPartsRefusesUnsoundParts)
{
    HMemRef pixels;
    ASSERT_TRUE(pixels.Alloc(64, 0, nullptr, 0));
    HMemRef palette;
    ASSERT_TRUE(palette.Alloc(8, 0, nullptr, 0));
    const int32_t p = pixels.GetHandle();
    struct Case
    {
        const char* what;
        int32_t width, height, wordsPerLine;
        uint32_t flags;
        int32_t entries, palette, pixels;
    };
    const Case cases[] = {
        {"no pixel block", 2, 2, 2, kImagePalettised, 0, -1, -1},
        {"entries without palette", 2, 2, 2, kImagePalettised, 2, -1, p},
        {"palette too small", 2, 2, 2, kImagePalettised, 3, palette.GetHandle(), p},
        {"width 0", 0, 2, 2, kImagePalettised, 0, -1, p},
        {"negative height", 2, -2, 2, kImagePalettised, 0, -1, p},
        {"too wide", kImageMaxSide + 1, 1, 2, kImagePalettised, 0, -1, p},
        {"no format", 2, 2, 2, 0, 0, -1, p},
        {"row longer than its line", 2, 2, 2, kImageTrueColour, 0, -1, p},
        {"odd words a line", 2, 2, 1, kImagePalettised, 0, -1, p},
        {"pixel block too small", 4, 5, 8, kImageTrueColour, 0, -1, p},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(
            HImageFromParts(-1, 0, c.width, c.height, c.wordsPerLine, c.flags, c.entries, c.palette, c.pixels)
                .IsEmpty())
            << c.what;
    EXPECT_FALSE(HImageFromParts(-1, 0, 4, 4, 8, kImageTrueColour, 2, palette.GetHandle(), p).IsEmpty());
}

TEST(HImage, ReleasingTheLastReferenceReleasesItsBlocks)
{
    HMemRef pixels;
    ASSERT_TRUE(pixels.Alloc(16, 0, nullptr, 0));
    const int32_t handle = pixels.GetHandle();
    {
        const HImageRef image = HImageFromParts(-1, 0, 2, 2, 4, kImageTrueColour, 0, -1, handle);
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(References(handle), 2);
        const HImageRef copy = image;
        EXPECT_EQ(References(handle), 2) << "copies share the header";
    }
    EXPECT_EQ(References(handle), 1);
}

TEST(HImage, ResizeSamplesNearestAndSharesPaletteAndName)
{
    const HImageRef source = Indexed(4, 2, 8);
    const HImageRef same = source->Resize(4, 2);
    EXPECT_EQ(same.GetHandle(), source.GetHandle());

    const HImageRef doubled = source->Resize(8, 4);
    ASSERT_FALSE(doubled.IsEmpty());
    EXPECT_EQ(doubled->GetPalette(), source->GetPalette());
    EXPECT_EQ(doubled->GetName(), "indexed");
    EXPECT_EQ(IndexAt(*doubled, 0, 0), 0);
    EXPECT_EQ(IndexAt(*doubled, 3, 1), 1);
    EXPECT_EQ(IndexAt(*doubled, 7, 3), 7);

    const HImageRef mirrored = source->Resize(-4, -2);
    ASSERT_FALSE(mirrored.IsEmpty());
    EXPECT_EQ(IndexAt(*mirrored, 0, 0), 7);
    EXPECT_EQ(IndexAt(*mirrored, 3, 1), 0);

    EXPECT_TRUE(source->Resize(0, 2).IsEmpty());
    EXPECT_TRUE(source->Resize(INT32_MIN, 2).IsEmpty());
    EXPECT_TRUE(source->Resize(kImageMaxSide + 1, 2).IsEmpty());
}

TEST(HImage, CropWrapsAroundTheEdges)
{
    const HImageRef source = Indexed(16, 2, 32);
    const HImageRef cropped = source->Crop(4, 1, -10, 1, 4, 1);
    ASSERT_FALSE(cropped.IsEmpty());
    EXPECT_EQ(IndexAt(*cropped, 0, 0), 16 + 6) << "x = -10 is column 6 of 16";
    EXPECT_EQ(IndexAt(*cropped, 3, 0), 16 + 9);
    const HImageRef whole = source->Crop(16, 2, 0, 0, 16, 2);
    EXPECT_EQ(whole.GetHandle(), source.GetHandle());
    EXPECT_TRUE(source->Crop(4, 4, 0, 0, 0, 4).IsEmpty()) << "an empty source rectangle";
    EXPECT_TRUE(source->Crop(4, 4, 0, 0, 4, -1).IsEmpty());

    // A source span near 2^31 is stepped in 64 bits: column floor(i x (2^31 - 1) / 4), wrapped into 16.
    const HImageRef wide = source->Crop(4, 1, 0, 1, INT32_MAX, 1);
    ASSERT_FALSE(wide.IsEmpty());
    const int32_t expect[4] = {16 + 0, 16 + 15, 16 + 15, 16 + 15};
    for (int32_t c = 0; c < 4; ++c)
        EXPECT_EQ(IndexAt(*wide, c, 0), expect[c]) << c;
}

TEST(HImage, ConvertExpandsPaletteAnd555)
{
    const HImageRef indexed = Indexed(3, 1, 2);
    const HImageRef converted = indexed->Convert();
    ASSERT_FALSE(converted.IsEmpty());
    EXPECT_EQ(converted->Flags(), kImageTrueColour);
    EXPECT_EQ(converted->GetName(), "indexed");
    EXPECT_NE(converted->GetName().Block(), indexed->GetName().Block());
    const HMemRef pixels = converted->LockPixels();
    const std::vector<uint8_t> expect = {7, 0, 0, 0, 7, 2, 1, 0, 0, 0, 0, 0}; // index 2 lies past the palette
    EXPECT_EQ(std::vector<uint8_t>(pixels.As<uint8_t>(), pixels.As<uint8_t>() + 12), expect);

    const uint16_t p555[2] = {static_cast<uint16_t>(31 | 1 << 5 | 16 << 10), 0x7FFF};
    const HImageRef high = HImageFromData(nullptr, 2, 1, 2, kImage555, 0, nullptr, p555);
    const HImageRef expanded = high->Convert();
    ASSERT_FALSE(expanded.IsEmpty());
    const HMemRef bytes = expanded->LockPixels();
    EXPECT_EQ(std::vector<uint8_t>(bytes.As<uint8_t>(), bytes.As<uint8_t>() + 8),
              (std::vector<uint8_t>{248, 8, 128, 0, 248, 248, 248, 0}));

    const HImageRef trueColour = HImage::Create(nullptr, 2, 2, true, true);
    EXPECT_EQ(trueColour->Convert().GetHandle(), trueColour.GetHandle());
}

} // namespace
