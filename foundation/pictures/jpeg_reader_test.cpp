#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/jpeg_reader.h"
#include "foundation/pictures/test_support/picture_fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

using fixtures::Bytes;

CError ReadJpeg(LJPegReader& reader, const Bytes& file, HImageRef& image, int32_t maxWidth = INT32_MAX,
                int32_t maxHeight = INT32_MAX)
{
    LArchiveXString archive;
    archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    return reader.Read(nullptr, &archive, maxWidth, maxHeight, image);
}

TEST(LJPegReader, DecodesRgbAsBlueGreenRedZero)
{
    Bytes samples;
    for (int i = 0; i < 16 * 8; ++i)
        samples.insert(samples.end(), {200, 100, 30});
    LJPegReader reader;
    HImageRef image;
    const CError status = ReadJpeg(reader, fixtures::WriteJpeg(16, 8, 3, JCS_RGB, samples), image);
    ASSERT_FALSE(status.Failed()) << status.ErrorText().CStr();
    ASSERT_FALSE(image.IsEmpty());
    EXPECT_EQ(image->Width(), 16);
    EXPECT_EQ(image->Height(), 8);
    EXPECT_EQ(image->Flags(), kImageTrueColour);
    EXPECT_EQ(image->WordsPerLine(), 32);
    const Bytes pixels = fixtures::PixelRows(*image);
    for (size_t i = 0; i < 16 * 8; ++i) {
        EXPECT_NEAR(pixels[4 * i], 30, 3) << "blue of pixel " << i;
        EXPECT_NEAR(pixels[4 * i + 1], 100, 3) << "green of pixel " << i;
        EXPECT_NEAR(pixels[4 * i + 2], 200, 3) << "red of pixel " << i;
        EXPECT_EQ(pixels[4 * i + 3], 0);
    }
}

TEST(LJPegReader, ScalesDownByPowersOfTwoToFitTheMaximum)
{
    const Bytes file = fixtures::WriteJpeg(1000, 600, 3, JCS_RGB, fixtures::SmoothRgb(1000, 600), 50);
    struct Case
    {
        int32_t maxWidth, maxHeight, width, height;
    };
    LJPegReader reader;
    for (const Case c : {Case{400, 400, 250, 150}, Case{INT32_MAX, INT32_MAX, 1000, 600},
                         Case{1000, 599, 500, 300}, Case{0, 0, 125, 75}, Case{-5, INT32_MIN, 125, 75}}) {
        HImageRef image;
        ASSERT_FALSE(ReadJpeg(reader, file, image, c.maxWidth, c.maxHeight).Failed());
        EXPECT_EQ(image->Width(), c.width) << c.maxWidth << " x " << c.maxHeight;
        EXPECT_EQ(image->Height(), c.height) << c.maxWidth << " x " << c.maxHeight;
    }
}

TEST(LJPegReader, GreyAndProgressivePictures)
{
    const Bytes grey = fixtures::WriteJpeg(8, 8, 1, JCS_GRAYSCALE, Bytes(64, 90));
    LJPegReader reader;
    HImageRef image;
    ASSERT_FALSE(ReadJpeg(reader, grey, image).Failed());
    const Bytes pixels = fixtures::PixelRows(*image);
    EXPECT_EQ(pixels[0], pixels[1]);
    EXPECT_EQ(pixels[1], pixels[2]);
    EXPECT_NEAR(pixels[0], 90, 2);

    const Bytes progressive = fixtures::WriteJpeg(40, 24, 3, JCS_RGB, fixtures::SmoothRgb(40, 24), 90, true);
    ASSERT_FALSE(ReadJpeg(reader, progressive, image).Failed());
    EXPECT_EQ(image->Width(), 40);
}

TEST(LJPegReader, LibraryErrorsCarryTheLibrarysText)
{
    const Bytes good = fixtures::WriteJpeg(64, 64, 3, JCS_RGB, fixtures::SmoothRgb(64, 64));
    struct Case
    {
        const char* what;
        Bytes file;
        const char* text;
    };
    const Case cases[] = {
        {"truncated", Bytes(good.begin(), good.begin() + static_cast<ptrdiff_t>(good.size() / 2)),
         "Read error!\nJPEG: Input file read error"},
        {"empty", {}, "Read error!\nJPEG: Input file read error"},
        {"not a JPEG", {'B', 'M', 0, 0, 0, 0}, "Read error!\nJPEG: Not a JPEG file: starts with 0x42 0x4d"},
        {"CMYK", fixtures::WriteJpeg(8, 8, 4, JCS_CMYK, Bytes(8 * 8 * 4, 30)),
         "Read error!\nJPEG: Unsupported color conversion request"},
    };
    LJPegReader reader;
    for (const Case& c : cases) {
        HImageRef image = HImage::Create(nullptr, 1, 1, true, false);
        EXPECT_EQ(ReadJpeg(reader, c.file, image).ErrorText(), c.text) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
        // The reader is ready for the next picture.
        EXPECT_FALSE(ReadJpeg(reader, good, image).Failed()) << c.what;
        EXPECT_FALSE(image.IsEmpty());
    }
}

TEST(LJPegReader, ReadsByName)
{
    const std::string path = testing::TempDir() + "jpeg_reader_test.jpg";
    LJPegReader reader;
    HImageRef image;
    std::remove(path.c_str());
    EXPECT_EQ(reader.Read(path.c_str(), nullptr, INT32_MAX, INT32_MAX, image).ErrorText(),
              "Read error (jpg1)!");
    const Bytes file = fixtures::WriteJpeg(8, 8, 3, JCS_RGB, fixtures::SmoothRgb(8, 8));
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    EXPECT_FALSE(reader.Read(path.c_str(), nullptr, INT32_MAX, INT32_MAX, image).Failed());
    EXPECT_EQ(image->Width(), 8);
    std::remove(path.c_str());
}

} // namespace
