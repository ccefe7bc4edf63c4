#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/test_support/picture_fixtures.h"
#include "foundation/pictures/png_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using fixtures::Bytes;
using fixtures::PngBuild;

struct PngResult
{
    CError status;
    HImageRef image;
    XAString archiveError;
};

PngResult ReadPng(const Bytes& file, bool keepAlpha)
{
    LArchiveXString archive;
    archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    PngResult result;
    result.status = LPngReader(keepAlpha).Read(nullptr, &archive, result.image);
    result.archiveError = archive.Status().ErrorText();
    return result;
}

PngBuild Rgba(Bytes row)
{
    PngBuild b;
    b.width = static_cast<uint32_t>(row.size() / 4);
    b.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    b.rows = {std::move(row)};
    return b;
}

PngBuild Grey(int bits, Bytes row, uint32_t width)
{
    PngBuild b;
    b.width = width;
    b.bitDepth = bits;
    b.colourType = PNG_COLOR_TYPE_GRAY;
    b.rows = {std::move(row)};
    return b;
}

PngBuild Palette(bool transparent)
{
    PngBuild b;
    b.width = 3;
    b.bitDepth = 2;
    b.colourType = PNG_COLOR_TYPE_PALETTE;
    b.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
    if (transparent)
        b.transparentIndices = {255, 0};
    b.rows = {{0b00011000}}; // indices 0, 1, 2
    return b;
}

const png_color_16 kRedBackground{0, 255, 0, 0, 0};
const png_color_16 kGreyTransparent{0, 0, 0, 0, 5};

struct Case
{
    const char* what;
    PngBuild build;
    bool keepAlpha;
    uint32_t flags;
    Bytes pixels; // blue, green, red, fourth byte
};

class PngKnownAnswers : public testing::TestWithParam<Case>
{
};

TEST_P(PngKnownAnswers, DecodeToFourBytesAPixel)
{
    const Case& c = GetParam();
    const Bytes file = fixtures::WritePng(c.build);
    ASSERT_FALSE(file.empty());
    const PngResult result = ReadPng(file, c.keepAlpha);
    ASSERT_FALSE(result.status.Failed()) << result.status.ErrorText().CStr();
    ASSERT_FALSE(result.image.IsEmpty());
    EXPECT_EQ(result.image->Flags(), c.flags);
    EXPECT_EQ(result.image->WordsPerLine(), 2 * static_cast<int32_t>(c.build.width));
    EXPECT_TRUE(result.image->GetName().IsEmpty());
    EXPECT_EQ(fixtures::PixelRows(*result.image), c.pixels);
}

PngBuild With(PngBuild b, void (*change)(PngBuild&))
{
    change(b);
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngKnownAnswers,
    testing::Values(
        Case{"RGB",
             With({},
                  [](PngBuild& b) {
                      b.width = 2, b.rows = {{1, 2, 3, 4, 5, 6}};
                  }),
             false,
             kImageTrueColour,
             {3, 2, 1, 0, 6, 5, 4, 0}},
        Case{"RGB kept: no alpha",
             With({},
                  [](PngBuild& b) {
                      b.rows = {{1, 2, 3}};
                  }),
             true,
             kImageTrueColour,
             {3, 2, 1, 0}},
        Case{"RGBA kept",
             Rgba({1, 2, 3, 0, 4, 5, 6, 255}),
             true,
             kImageTrueColour | kImageAlpha,
             {3, 2, 1, 0, 6, 5, 4, 255}},
        Case{"RGBA over the default background",
             Rgba({1, 2, 3, 0, 4, 5, 6, 255}),
             false,
             kImageTrueColour,
             {254, 255, 255, 0, 6, 5, 4, 0}},
        Case{"RGBA over its own background",
             With(Rgba({1, 2, 3, 0}), [](PngBuild& b) { b.background = &kRedBackground; }),
             false,
             kImageTrueColour,
             {0, 0, 255, 0}},
        Case{"16-bit RGBA over the default background",
             With(Rgba({}),
                  [](PngBuild& b) {
                      b.width = 2, b.bitDepth = 16;
                      b.rows = {{0, 1, 0, 2, 0, 3, 0, 0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xFF, 0xFF}};
                  }),
             false,
             kImageTrueColour,
             {255, 255, 255, 0, 0x9A, 0x56, 0x12, 0}},
        Case{"palette",
             Palette(false),
             false,
             kImageTrueColour,
             {30, 20, 10, 0, 60, 50, 40, 0, 90, 80, 70, 0}},
        Case{"palette with transparency kept",
             Palette(true),
             true,
             kImageTrueColour | kImageAlpha,
             {30, 20, 10, 255, 60, 50, 40, 0, 90, 80, 70, 255}},
        Case{"palette with transparency composited",
             Palette(true),
             false,
             kImageTrueColour,
             {30, 20, 10, 0, 254, 255, 255, 0, 90, 80, 70, 0}},
        Case{"grey 1 bit", Grey(1, {0b10000000}, 2), false, kImageTrueColour, {255, 255, 255, 0, 0, 0, 0, 0}},
        Case{"grey 2 bits",
             Grey(2, {0b11100100}, 4),
             false,
             kImageTrueColour,
             {255, 255, 255, 0, 170, 170, 170, 0, 85, 85, 85, 0, 0, 0, 0, 0}},
        Case{"grey 4 bits", Grey(4, {0x1F}, 2), false, kImageTrueColour, {17, 17, 17, 0, 255, 255, 255, 0}},
        Case{"grey 8 bits", Grey(8, {7}, 1), false, kImageTrueColour, {7, 7, 7, 0}},
        Case{"grey 16 bits", Grey(16, {0xAB, 0xCD}, 1), false, kImageTrueColour, {0xAB, 0xAB, 0xAB, 0}},
        Case{"grey with a transparent level",
             With(Grey(8, {5, 6}, 2), [](PngBuild& b) { b.transparent = &kGreyTransparent; }),
             false,
             kImageTrueColour,
             {254, 255, 255, 0, 6, 6, 6, 0}},
        Case{"grey-alpha kept",
             With(Grey(8, {9, 128}, 1), [](PngBuild& b) { b.colourType = PNG_COLOR_TYPE_GRAY_ALPHA; }),
             true,
             kImageTrueColour | kImageAlpha,
             {9, 9, 9, 128}},
        Case{"grey-alpha over the default background",
             With(Grey(8, {9, 0}, 1), [](PngBuild& b) { b.colourType = PNG_COLOR_TYPE_GRAY_ALPHA; }),
             false,
             kImageTrueColour,
             {254, 255, 255, 0}},
        Case{"16-bit RGB",
             With({},
                  [](PngBuild& b) {
                      b.bitDepth = 16, b.rows = {{1, 0, 2, 0, 3, 0}};
                  }),
             false,
             kImageTrueColour,
             {3, 2, 1, 0}},
        Case{"interlaced",
             With({},
                  [](PngBuild& b) {
                      b.width = 3, b.height = 3, b.interlaced = true;
                      b.rows = {{1, 1, 1, 2, 2, 2, 3, 3, 3},
                                {4, 4, 4, 5, 5, 5, 6, 6, 6},
                                {7, 7, 7, 8, 8, 8, 9, 9, 9}};
                  }),
             false,
             kImageTrueColour,
             {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0, 4, 4, 4, 0, 5, 5,
              5, 0, 6, 6, 6, 0, 7, 7, 7, 0, 8, 8, 8, 0, 9, 9, 9, 0}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(LPngReader, AGammaChunkIsCorrectedForTheScreen)
{
    PngBuild b = Grey(8, {128}, 1);
    const PngResult plain = ReadPng(fixtures::WritePng(b), false);
    b.gamma = 1.0;
    const PngResult linear = ReadPng(fixtures::WritePng(b), false);
    b.gamma = 1 / 2.2;
    const PngResult matched = ReadPng(fixtures::WritePng(b), false);
    ASSERT_FALSE(plain.image.IsEmpty() || linear.image.IsEmpty() || matched.image.IsEmpty());
    EXPECT_EQ(fixtures::PixelRows(*plain.image)[0], 128);
    EXPECT_NEAR(fixtures::PixelRows(*linear.image)[0], 186, 1) << "255 x (128 / 255)^(1 / 2.2)";
    EXPECT_NEAR(fixtures::PixelRows(*matched.image)[0], 128, 1);
}

TEST(LPngReader, FailuresKeepTheTarget)
{
    PngBuild b;
    b.rows = {{1, 2, 3}};
    const Bytes good = fixtures::WritePng(b);
    struct Bad
    {
        const char* what;
        Bytes file;
        const char* text;
    };
    Bytes badCrc = good;
    badCrc[30] ^= 0xFF;
    PngBuild wide;
    wide.width = kImageMaxSide + 1;
    wide.rows = {Bytes(3 * wide.width, 0)};
    for (const Bad& bad : {Bad{"not a PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0}, "Read error (PNG1)!"},
                           Bad{"signature only", Bytes(good.begin(), good.begin() + 8), "Read error! (PNG5)"},
                           Bad{"cut short", Bytes(good.begin(), good.end() - 20), "Read error! (PNG5)"},
                           Bad{"damaged header", badCrc, "Read error! (PNG5)"},
                           Bad{"too wide", fixtures::WritePng(wide), "Read error! (PNG5)"}}) {
        LArchiveXString archive;
        archive.OpenReadMemory(bad.file.data(), static_cast<int32_t>(bad.file.size()), false);
        HImageRef image = HImage::Create(nullptr, 1, 1, true, false);
        const int32_t before = image.GetHandle();
        LPngReader reader(false);
        const CError status = reader.Read(nullptr, &archive, image);
        EXPECT_EQ(status.ErrorText(), bad.text) << bad.what;
        EXPECT_TRUE(archive.HasError()) << bad.what;
        EXPECT_EQ(image.GetHandle(), before) << bad.what;
        // The same reader reads the next picture.
        LArchiveXString next;
        next.OpenReadMemory(good.data(), static_cast<int32_t>(good.size()), false);
        EXPECT_FALSE(reader.Read(nullptr, &next, image).Failed()) << bad.what;
        EXPECT_NE(image.GetHandle(), before);
    }
}

TEST(LPngReader, ByNameFailuresHaveTheirOwnTexts)
{
    const std::string path = testing::TempDir() + "png_reader_test.png";
    HImageRef image;
    EXPECT_EQ(LPngReader(false).Read(path.c_str(), nullptr, image).ErrorText(), "Read error (PNG1)!");
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("not a png at all", out);
    std::fclose(out);
    EXPECT_EQ(LPngReader(false).Read(path.c_str(), nullptr, image).ErrorText(), "Read error (PNG2)!");
    PngBuild b;
    b.rows = {{1, 2, 3}};
    const Bytes good = fixtures::WritePng(b);
    out = std::fopen(path.c_str(), "wb");
    std::fwrite(good.data(), 1, good.size(), out);
    std::fclose(out);
    EXPECT_FALSE(LPngReader(true).Read(path.c_str(), nullptr, image).Failed());
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(fixtures::PixelRows(*image), (Bytes{3, 2, 1, 0}));
    std::remove(path.c_str());
}

} // namespace
