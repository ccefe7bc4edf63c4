#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"
#include "foundation/pictures/test_support/picture_fixtures.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using fixtures::Bytes;

Bytes Written(const HImage& image)
{
    LArchiveXString writer;
    writer.OpenWrite(1024);
    EXPECT_TRUE(image.WriteBmp(writer));
    return fixtures::ArchiveBytes(writer);
}

HImageRef ReadBack(const Bytes& file, bool trueColour, bool alpha)
{
    LArchiveXString reader;
    reader.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    HImageRef image;
    HImage::ReadBmp(image, reader, nullptr, trueColour, alpha);
    return image;
}

HImageRef TrueColour(int32_t width, int32_t height, const Bytes& pixels, bool alpha)
{
    return HImageFromData("t", width, height, 2 * width, kImageTrueColour | (alpha ? kImageAlpha : 0), 0,
                          nullptr, pixels.data());
}

// The headers of a file of `size` bytes with pixels at `offset`, followed by the info header.
Bytes Headers(uint32_t size, uint32_t offset, int32_t width, int32_t height, int bits, int compression,
              uint32_t imageSize, uint32_t colours)
{
    Bytes out = {'B', 'M'};
    fixtures::PutLe(out, size, 4);
    fixtures::PutLe(out, 0, 4);
    fixtures::PutLe(out, offset, 4);
    for (uint32_t v : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)})
        fixtures::PutLe(out, v, 4);
    fixtures::PutLe(out, 1, 2);
    fixtures::PutLe(out, static_cast<uint32_t>(bits), 2);
    for (uint32_t v : {static_cast<uint32_t>(compression), imageSize, 3779u, 3779u, colours, colours})
        fixtures::PutLe(out, v, 4);
    return out;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(WriteBmp, TrueColourIs24BitsBottomRowFirst)
{
    const HImageRef image = TrueColour(2, 2, {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99, 10, 11, 12, 99}, false);
    const Bytes expect =
        Headers(70, 54, 2, 2, 24, 0, 16, 0) + Bytes{7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    EXPECT_EQ(Written(*image), expect);
    const HImageRef back = ReadBack(expect, true, false);
    ASSERT_FALSE(back.IsEmpty());
    EXPECT_EQ(fixtures::PixelRows(*back), (Bytes{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}));
}

TEST(WriteBmp, AlphaIs32Bits)
{
    const HImageRef image = TrueColour(1, 1, {1, 2, 3, 4}, true);
    const Bytes expect = Headers(58, 54, 1, 1, 32, 0, 4, 0) + Bytes{1, 2, 3, 4};
    EXPECT_EQ(Written(*image), expect);
    const HImageRef back = ReadBack(expect, true, true);
    ASSERT_FALSE(back.IsEmpty());
    EXPECT_EQ(back->Flags(), kImageTrueColour | kImageAlpha);
    EXPECT_EQ(fixtures::PixelRows(*back), (Bytes{1, 2, 3, 4}));
}

TEST(WriteBmp, PalettisedIsRle8WithAFullPalette)
{
    const Bytes pixels = {5, 5, 5, 5, 1, 2, 3, 3};
    const HImagePaletteEntry palette[2] = {{0, 1, 2, 3}, {0, 4, 5, 6}};
    const HImageRef image = HImageFromData("p", 4, 2, 2, kImagePalettised, 2, palette, pixels.data());
    Bytes table(1024, 0);
    const Bytes first = {3, 2, 1, 0, 6, 5, 4, 0};
    std::copy(first.begin(), first.end(), table.begin());
    const Bytes coded = {1, 1, 1, 2, 2, 3, 0, 0, 4, 5, 0, 1};
    const Bytes expect = Headers(54 + 1024 + 12, 54 + 1024, 4, 2, 8, 1, 12, 256) + table + coded;
    EXPECT_EQ(Written(*image), expect);
    const HImageRef back = ReadBack(expect, true, false);
    ASSERT_FALSE(back.IsEmpty());
    EXPECT_EQ(back->PaletteCount(), 256);
    EXPECT_EQ(fixtures::PixelRows(*back), pixels);
}

TEST(WriteBmp, CodedDataIsPaddedToWholeWords)
{
    const Bytes pixels = {9, 0, 0, 0};
    const HImagePaletteEntry palette[1] = {{0, 1, 2, 3}};
    const HImageRef image = HImageFromData(nullptr, 1, 1, 2, kImagePalettised, 1, palette, pixels.data());
    const Bytes written = Written(*image);
    ASSERT_EQ(written.size(), 54u + 1024 + 4);
    EXPECT_EQ((Bytes(written.end() - 4, written.end())), (Bytes{1, 9, 0, 1}));
    EXPECT_EQ(written[34], 4) << "image size";
}

TEST(WriteBmp, A555PictureIsWrittenAs24Bits)
{
    const uint16_t pixels[2] = {0x7FFF, 0};
    const HImageRef image = HImageFromData(nullptr, 1, 1, 2, kImage555, 0, nullptr, pixels);
    EXPECT_EQ(Written(*image), (Headers(58, 54, 1, 1, 24, 0, 4, 0) + Bytes{248, 248, 248, 0}));
}

TEST(WriteBmp, RoundTripOfALargerPalettisedPicture)
{
    const int32_t width = 301, height = 7;
    const int32_t pitch = 2 * HImageWordsPerLine(width, kImagePalettised);
    Bytes pixels(static_cast<size_t>(pitch * height), 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y * pitch + x)] = static_cast<uint8_t>((x / (y + 1)) * 37 % 256);
    const HImagePaletteEntry palette[1] = {};
    const HImageRef image =
        HImageFromData(nullptr, width, height, pitch / 2, kImagePalettised, 1, palette, pixels.data());
    const HImageRef back = ReadBack(Written(*image), false, false);
    ASSERT_FALSE(back.IsEmpty());
    EXPECT_EQ(fixtures::PixelRows(*back), fixtures::PixelRows(*image));
}

// Each test has a fresh folder of its own: CTest runs them side by side.
class SaveBmpTest : public TempTreeFixture
{
  protected:
    std::filesystem::path File(const std::string& relative) const { return Path(relative); }

    static Bytes Load(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    size_t Entries() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(Root()), {}));
    }

    HImageRef image = TrueColour(1, 1, {1, 2, 3, 0}, false);
};

TEST_F(SaveBmpTest, ReplacesTheOldFileAndKeepsItsMode)
{
    const auto path = File("picture.bmp");
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0640);
    EXPECT_FALSE(image->SaveBmp(path.c_str()).Failed());
    EXPECT_EQ(Load(path), Written(*image));
    struct stat info
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), 1u) << "no temporary file is left";
}

TEST_F(SaveBmpTest, AFailureLeavesTheTargetAsItWas)
{
    const auto target = File("taken");
    std::filesystem::create_directories(target / "inner");
    EXPECT_TRUE(image->SaveBmp(target.c_str()).Failed());
    EXPECT_TRUE(std::filesystem::is_directory(target / "inner"));
    EXPECT_EQ(Entries(), 1u) << "the temporary file is gone";
    EXPECT_TRUE(image->SaveBmp((File("missing/x.bmp")).c_str()).Failed());
}

TEST_F(SaveBmpTest, ALinkStaysAndThePictureItNamesIsReplaced)
{
    const auto real = File("real.bmp");
    const auto link = File("link.bmp");
    std::ofstream(real) << "old";
    std::filesystem::create_symlink("real.bmp", link);
    EXPECT_FALSE(image->SaveBmp(link.c_str()).Failed());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Load(real), Written(*image));
    EXPECT_EQ(Entries(), 2u) << "no temporary file is left";
}

} // namespace
