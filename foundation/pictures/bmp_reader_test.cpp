#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"
#include "foundation/pictures/test_support/picture_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

using fixtures::BmpBuild;
using fixtures::Bytes;

struct ReadResult
{
    HImageRef image;
    XAString error;
};

ReadResult Read(const Bytes& file, bool trueColour = false, bool alpha = false)
{
    LArchiveXString archive;
    archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    ReadResult result;
    const bool ok = HImage::ReadBmp(result.image, archive, "test.bmp", trueColour, alpha);
    EXPECT_EQ(ok, !result.image.IsEmpty());
    result.error = archive.Status().ErrorText();
    return result;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Quads(std::initializer_list<uint32_t> rgb)
{
    Bytes out;
    for (uint32_t c : rgb)
        out.insert(out.end(),
                   {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), 0});
    return out;
}

struct GoodCase
{
    const char* what;
    BmpBuild build;
    bool trueColour;
    bool alpha;
    uint32_t flags;
    Bytes rows;    // the picture's rows, top first, without padding
    Bytes palette; // as held: 0, red, green, blue
};

class ReadBmpGood : public testing::TestWithParam<GoodCase>
{
};

TEST_P(ReadBmpGood, KnownPixels)
{
    const GoodCase& c = GetParam();
    const ReadResult result = Read(fixtures::BuildBmp(c.build), c.trueColour, c.alpha);
    ASSERT_FALSE(result.image.IsEmpty()) << result.error.CStr();
    EXPECT_EQ(result.image->Width(), c.build.width);
    EXPECT_EQ(result.image->Height(), std::abs(c.build.height));
    EXPECT_EQ(result.image->Flags() & ~kImageSmallPalette, c.flags);
    EXPECT_EQ(result.image->GetName(), "test.bmp");
    EXPECT_EQ(fixtures::PixelRows(*result.image), c.rows);
    EXPECT_EQ(fixtures::PaletteBytes(*result.image), c.palette);
}

BmpBuild Build(int32_t width, int32_t height, int32_t bits, Bytes pixels)
{
    BmpBuild b;
    b.width = width;
    b.height = height;
    b.bitCount = bits;
    b.pixels = std::move(pixels);
    return b;
}

BmpBuild WithPalette(BmpBuild b, Bytes palette, int32_t used = 0)
{
    b.palette = std::move(palette);
    b.coloursUsed = used;
    return b;
}

BmpBuild WithMasks(BmpBuild b, int32_t headerSize, Bytes masks)
{
    b.headerSize = headerSize;
    b.compression = kBmpBitFields;
    b.masks = std::move(masks);
    return b;
}

BmpBuild Coded(BmpBuild b, int32_t compression)
{
    b.compression = compression;
    return b;
}

BmpBuild Core(BmpBuild b)
{
    b.headerSize = kBmpCoreHeaderBytes;
    return b;
}

const Bytes kMasks565 = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
const Bytes kMasks555 = {0x00, 0x7C, 0, 0, 0xE0, 0x03, 0, 0, 0x1F, 0, 0, 0};
// 5-6-5 white, pure green (6 bits), pure blue, as stored; and the same as 5-5-5.
const Bytes k565Row = {0xFF, 0xFF, 0xE0, 0x07, 0x1F, 0x00, 0, 0};
const Bytes k565As555 = {0xFF, 0x7F, 0xE0, 0x03, 0x1F, 0x00};

INSTANTIATE_TEST_SUITE_P(
    Depths, ReadBmpGood,
    testing::Values(
        GoodCase{
            "1 bit, bottom-up",
            WithPalette(Build(10, 2, 1, {0xA0, 0x40, 0, 0, 0xFF, 0xC0, 0, 0}), Quads({0x000000, 0xFFFFFF})),
            false,
            false,
            kImagePalettised,
            {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1},
            {0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}},
        GoodCase{"4 bits, 3 colours used",
                 WithPalette(Build(3, 1, 4, {0x12, 0x00, 0, 0}), Quads({0x010203, 0x040506, 0x070809}), 3),
                 false,
                 false,
                 kImagePalettised,
                 {1, 2, 0},
                 {0, 1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9}},
        GoodCase{"8 bits, top-down",
                 WithPalette(Build(3, -2, 8, {1, 2, 3, 0, 4, 5, 6, 0}), Quads({0x102030}), 1),
                 false,
                 false,
                 kImagePalettised,
                 {1, 2, 3, 4, 5, 6},
                 {0, 0x10, 0x20, 0x30}},
        GoodCase{"8 bits, palette cut by the pixel offset",
                 [] {
                     BmpBuild b = WithPalette(Build(1, 1, 8, {0, 0, 0, 0}), Quads({0x112233, 0x445566}), 256);
                     return b;
                 }(),
                 false,
                 false,
                 kImagePalettised,
                 {0},
                 [] {
                     Bytes p(4 * 256, 0);
                     const Bytes first = {0, 0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66};
                     std::copy(first.begin(), first.end(), p.begin());
                     return p;
                 }()},
        GoodCase{"core header: palette triples",
                 Core(WithPalette(Build(2, 1, 1, {0x80, 0, 0, 0}), {3, 2, 1, 6, 5, 4})),
                 false,
                 false,
                 kImagePalettised,
                 {1, 0},
                 {0, 1, 2, 3, 0, 4, 5, 6}},
        GoodCase{"8 bits after a 56-byte header: palette quads",
                 [] {
                     BmpBuild b = WithPalette(Build(2, 1, 8, {1, 0, 0, 0}), Quads({0x010203, 0x040506}), 2);
                     b.headerSize = 56;
                     return b;
                 }(),
                 false,
                 false,
                 kImagePalettised,
                 {1, 0},
                 {0, 1, 2, 3, 0, 4, 5, 6}},
        GoodCase{"16 bits without masks are 5-5-5",
                 Build(3, 1, 16, k565As555 + Bytes{0, 0}),
                 true,
                 false,
                 kImage555,
                 k565As555,
                 {}},
        GoodCase{"16 bits, 5-6-5 masks after a 40-byte header",
                 WithMasks(Build(3, 1, 16, k565Row), kBmpInfoHeaderBytes, kMasks565),
                 false,
                 false,
                 kImage555,
                 k565As555,
                 {}},
        GoodCase{"16 bits, 5-5-5 masks after a 40-byte header",
                 WithMasks(Build(3, 1, 16, k565As555 + Bytes{0, 0}), kBmpInfoHeaderBytes, kMasks555),
                 false,
                 false,
                 kImage555,
                 k565As555,
                 {}},
        GoodCase{"16 bits, 5-6-5 masks inside a V5 header",
                 WithMasks(Build(3, 1, 16, k565Row), 124, kMasks565),
                 false,
                 false,
                 kImage555,
                 k565As555,
                 {}},
        GoodCase{"16 bits, 5-6-5 masks inside a 56-byte header",
                 WithMasks(Build(3, 1, 16, k565Row), 56, kMasks565),
                 false,
                 false,
                 kImage555,
                 k565As555,
                 {}},
        GoodCase{"24 bits as 5-5-5",
                 Build(2, 1, 24, {0xFF, 0, 0, 0x08, 0x10, 0xF8, 0, 0}),
                 false,
                 false,
                 kImage555,
                 {0x1F, 0x00, 0x41, 0x7C},
                 {}},
        GoodCase{"24 bits as true colour, bottom-up",
                 Build(1, 2, 24, {1, 2, 3, 0, 4, 5, 6, 0}),
                 true,
                 false,
                 kImageTrueColour,
                 {4, 5, 6, 0, 1, 2, 3, 0},
                 {}},
        GoodCase{"32 bits with alpha",
                 Build(1, 1, 32, {1, 2, 3, 4}),
                 true,
                 true,
                 kImageTrueColour | kImageAlpha,
                 {1, 2, 3, 4},
                 {}},
        GoodCase{"32 bits without alpha",
                 Build(1, 1, 32, {1, 2, 3, 4}),
                 true,
                 false,
                 kImageTrueColour,
                 {1, 2, 3, 0},
                 {}},
        GoodCase{"32 bits as 5-5-5", Build(1, 1, 32, {0xFF, 0, 0, 9}), false, true, kImage555, {0x1F, 0}, {}},
        GoodCase{"32 bits with ignored masks",
                 WithMasks(Build(1, 1, 32, {1, 2, 3, 4}), 124, kMasks565),
                 true,
                 false,
                 kImageTrueColour,
                 {1, 2, 3, 0},
                 {}},
        GoodCase{
            "RLE8, flipped after decoding",
            Coded(WithPalette(Build(4, 3, 8, {2, 7, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1}), Quads({0})), kBmpRle8),
            false,
            false,
            kImagePalettised,
            {0, 9, 0, 0, 0, 0, 0, 0, 7, 7, 0, 0},
            Bytes(4 * 256, 0)},
        GoodCase{"RLE8, top-down stays",
                 Coded(WithPalette(Build(2, -2, 8, {2, 7, 0, 0, 2, 8, 0, 1}), {}), kBmpRle8),
                 false,
                 false,
                 kImagePalettised,
                 {7, 7, 8, 8},
                 Bytes(4 * 256, 0)},
        GoodCase{"RLE4 with absolute runs of 3 and 5",
                 Coded(WithPalette(Build(8, 1, 4, {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0, 0, 1}), {}),
                       kBmpRle4),
                 false,
                 false,
                 kImagePalettised,
                 {1, 2, 3, 4, 5, 6, 7, 8},
                 Bytes(4 * 16, 0)}),
    [](const auto& info) { return std::to_string(info.index); });

struct BadCase
{
    const char* what;
    BmpBuild build;
    const char* error; // null: any error
};

class ReadBmpBad : public testing::TestWithParam<BadCase>
{
};

TEST_P(ReadBmpBad, FailsWithAClearError)
{
    const BadCase& c = GetParam();
    const ReadResult result = Read(fixtures::BuildBmp(c.build), true, true);
    EXPECT_TRUE(result.image.IsEmpty());
    EXPECT_FALSE(result.error.IsEmpty());
    if (c.error) {
        EXPECT_EQ(result.error, c.error);
    }
}

BmpBuild Set(BmpBuild b, void (*change)(BmpBuild&))
{
    change(b);
    return b;
}

const BmpBuild kGood = Build(2, 2, 24, Bytes(16, 0));

INSTANTIATE_TEST_SUITE_P(
    Hostile, ReadBmpBad,
    testing::Values(
        BadCase{"magic", Set(kGood, [](BmpBuild& b) { b.magic = 0x4142; }), "Not a valid BMP/DIB file!"},
        BadCase{"depth", Set(kGood, [](BmpBuild& b) { b.bitCount = 7; }), "7 bit/pixel not supported!"},
        BadCase{"RLE8 at 4 bits", Set(kGood, [](BmpBuild& b) { b.compression = kBmpRle8, b.bitCount = 4; }),
                "Unsupported format (BI_RLE4/8)!"},
        BadCase{"RLE4 at 24 bits", Set(kGood, [](BmpBuild& b) { b.compression = kBmpRle4; }),
                "Unsupported format (BI_RLE4/8)!"},
        BadCase{"compression", Set(kGood, [](BmpBuild& b) { b.compression = 9; }),
                "Unknown/unsupported format (biCompression)!"},
        BadCase{"width 0", Set(kGood, [](BmpBuild& b) { b.width = 0; }), "Not a valid BMP/DIB file!"},
        BadCase{"negative width", Set(kGood, [](BmpBuild& b) { b.width = -2; }), "Not a valid BMP/DIB file!"},
        BadCase{"height 0", Set(kGood, [](BmpBuild& b) { b.height = 0; }), "Not a valid BMP/DIB file!"},
        BadCase{"height INT_MIN", Set(kGood, [](BmpBuild& b) { b.height = INT32_MIN; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"too wide", Set(kGood, [](BmpBuild& b) { b.width = kImageMaxSide + 1; }), kImageTooLargeText},
        BadCase{"too high", Set(kGood, [](BmpBuild& b) { b.height = -kImageMaxSide - 1; }),
                kImageTooLargeText},
        BadCase{"wrapping row size", Set(kGood, [](BmpBuild& b) { b.width = 0x40000001, b.bitCount = 32; }),
                kImageTooLargeText},
        BadCase{"header size 20", Set(kGood, [](BmpBuild& b) { b.headerSize = 20; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"offset inside the header", Set(kGood, [](BmpBuild& b) { b.pixelOffset = 30; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"offset inside the masks",
                Set(WithMasks(Build(2, 1, 16, Bytes(4, 0)), kBmpInfoHeaderBytes, kMasks565),
                    [](BmpBuild& b) { b.pixelOffset = 54 + 4; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"offset beyond 2 GB", Set(kGood, [](BmpBuild& b) { b.pixelOffset = 0x80000000; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"pixels cut short", Set(kGood, [](BmpBuild& b) { b.pixels.resize(10); }), nullptr},
        BadCase{"large picture, few bytes",
                Set(kGood, [](BmpBuild& b) { b.width = b.height = kImageMaxSide; }), nullptr},
        BadCase{"RLE size beyond the bytes left",
                Set(Coded(Build(4, 4, 8, {0, 1}), kBmpRle8), [](BmpBuild& b) { b.imageSize = 1000; }),
                nullptr},
        BadCase{"negative RLE size",
                Set(Coded(Build(4, 4, 8, {0, 1}), kBmpRle8), [](BmpBuild& b) { b.imageSize = -2; }),
                "Not a valid BMP/DIB file!"},
        BadCase{"header longer than the file",
                Set(kGood, [](BmpBuild& b) { b.headerSize = 1000, b.pixelOffset = 30; }),
                "Not a valid BMP/DIB file!"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ReadBmp, EmptyArchiveAndArchiveInErrorGiveNoPicture)
{
    EXPECT_TRUE(Read({}).image.IsEmpty());
    LArchiveXString archive;
    const Bytes file = fixtures::BuildBmp(kGood);
    archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    archive.Status().SetError("earlier", 0);
    HImageRef image = HImage::Create(nullptr, 1, 1, true, false);
    EXPECT_FALSE(HImage::ReadBmp(image, archive, nullptr, true, false));
    EXPECT_TRUE(image.IsEmpty()) << "the target is released first";
}

TEST(ReadBmp, EveryPrefixOfAFileFails)
{
    for (const BmpBuild& build :
         {kGood, Coded(Build(4, 3, 8, {2, 7, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1}), kBmpRle8),
          WithMasks(Build(3, 1, 16, k565Row), 124, kMasks565)}) {
        const Bytes file = fixtures::BuildBmp(build);
        ASSERT_FALSE(Read(file).image.IsEmpty());
        for (size_t n = 0; n < file.size(); ++n)
            EXPECT_TRUE(Read(Bytes(file.begin(), file.begin() + static_cast<ptrdiff_t>(n))).image.IsEmpty())
                << n << " of " << file.size() << " bytes";
    }
}

TEST(LoadBmpFile, NamesThePictureAfterTheFile)
{
    const std::string path = testing::TempDir() + "load_bmp_file.bmp";
    const Bytes file = fixtures::BuildBmp(kGood);
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    HImageRef image;
    EXPECT_FALSE(HImage::LoadBmpFile(image, path.c_str(), true, false).Failed());
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image->GetName(), path.c_str());
    std::remove(path.c_str());
    EXPECT_TRUE(HImage::LoadBmpFile(image, path.c_str(), true, false).Failed());
    EXPECT_TRUE(image.IsEmpty());
}

} // namespace
