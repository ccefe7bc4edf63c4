// Writes the fuzz corpora of the picture readers and background records, made by the project's
// own writers and the libraries' encoders: run with ZYL_WRITE_FUZZ_CORPUS set to the fuzz/corpus
// folder. Without it the test only checks that every seed is accepted by its reader.
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/dib_exchange.h"
#include "foundation/pictures/jpeg_reader.h"
#include "show/l_laser_preview_bitmap.h"
#include "foundation/pictures/test_support/picture_fixtures.h"
#include "foundation/pictures/png_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

using fixtures::Bytes;

XAString AsString(const Bytes& bytes)
{
    return XAString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::map<std::string, Bytes> BmpSeeds()
{
    std::map<std::string, Bytes> seeds;
    fixtures::BmpBuild b;
    b.width = 10, b.height = 2, b.bitCount = 1, b.palette = {0, 0, 0, 0, 255, 255, 255, 0};
    b.pixels = {0xA0, 0x40, 0, 0, 0xFF, 0xC0, 0, 0};
    seeds["bits1"] = fixtures::BuildBmp(b);
    b = {};
    b.width = 3, b.height = -2, b.bitCount = 8, b.coloursUsed = 1, b.palette = {1, 2, 3, 0};
    b.pixels = {0, 0, 0, 0, 0, 0, 0, 0};
    seeds["bits8_top_down"] = fixtures::BuildBmp(b);
    b = {};
    b.width = 3, b.bitCount = 16, b.headerSize = 124, b.compression = kBmpBitFields;
    b.masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    b.pixels = {0xFF, 0xFF, 0xE0, 0x07, 0x1F, 0x00, 0, 0};
    seeds["bits16_565_v5"] = fixtures::BuildBmp(b);
    b = {};
    b.headerSize = kBmpCoreHeaderBytes, b.width = 2, b.bitCount = 4, b.palette = Bytes(48, 7);
    b.pixels = {0x1F, 0, 0, 0};
    seeds["core_bits4"] = fixtures::BuildBmp(b);
    b = {};
    b.width = 4, b.height = 3, b.compression = kBmpRle8;
    b.pixels = {2, 7, 0, 0, 0, 2, 1, 1, 1, 9, 0, 3, 1, 2, 3, 0, 0, 1};
    seeds["rle8"] = fixtures::BuildBmp(b);
    b = {};
    b.width = 8, b.bitCount = 4, b.compression = kBmpRle4;
    b.pixels = {0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0, 0, 1};
    seeds["rle4"] = fixtures::BuildBmp(b);

    const Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const HImagePaletteEntry palette[2] = {{0, 1, 2, 3}, {0, 4, 5, 6}};
    const HImageRef images[] = {
        HImageFromData(nullptr, 2, 2, 4, kImageTrueColour, 0, nullptr, pixels.data()),
        HImageFromData(nullptr, 2, 2, 4, kImageTrueColour | kImageAlpha, 0, nullptr, pixels.data()),
        HImageFromData(nullptr, 7, 2, 4, kImagePalettised, 2, palette, pixels.data()),
    };
    const char* names[] = {"writer_bits24", "writer_bits32", "writer_rle8"};
    for (size_t i = 0; i < std::size(images); ++i) {
        LArchiveXString writer;
        writer.OpenWrite(1024);
        images[i]->WriteBmp(writer);
        seeds[names[i]] = fixtures::ArchiveBytes(writer);
    }
    return seeds;
}

std::map<std::string, Bytes> PngSeeds()
{
    std::map<std::string, Bytes> seeds;
    static const png_color_16 background{0, 255, 0, 0, 0};
    fixtures::PngBuild b;
    b.width = 3, b.bitDepth = 2, b.colourType = PNG_COLOR_TYPE_PALETTE;
    b.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}}, b.transparentIndices = {255, 0};
    b.rows = {{0b00011000}};
    seeds["palette_transparent"] = fixtures::WritePng(b);
    b = {};
    b.width = 2, b.bitDepth = 16, b.colourType = PNG_COLOR_TYPE_GRAY, b.gamma = 1.0;
    b.rows = {{0x12, 0x34, 0xFF, 0xFF}};
    seeds["grey16_gamma"] = fixtures::WritePng(b);
    b = {};
    b.width = 2, b.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, b.rows = {{9, 0, 200, 255}};
    seeds["grey_alpha"] = fixtures::WritePng(b);
    b = {};
    b.width = 2, b.colourType = PNG_COLOR_TYPE_RGB_ALPHA, b.background = &background;
    b.rows = {{1, 2, 3, 0, 4, 5, 6, 255}};
    seeds["rgba_background"] = fixtures::WritePng(b);
    b = {};
    b.width = 3, b.height = 3, b.interlaced = true, b.bitDepth = 16;
    b.rows = {Bytes(18, 1), Bytes(18, 2), Bytes(18, 3)};
    seeds["rgb16_interlaced"] = fixtures::WritePng(b);
    return seeds;
}

std::map<std::string, Bytes> JpegSeeds()
{
    return {{"rgb", fixtures::WriteJpeg(16, 8, 3, JCS_RGB, fixtures::SmoothRgb(16, 8), 75)},
            {"grey", fixtures::WriteJpeg(8, 8, 1, JCS_GRAYSCALE, Bytes(64, 90), 75)},
            {"progressive", fixtures::WriteJpeg(24, 16, 3, JCS_RGB, fixtures::SmoothRgb(24, 16), 50, true)}};
}

std::map<std::string, Bytes> DibSeeds()
{
    std::map<std::string, Bytes> seeds;
    for (const auto& [name, file] : BmpSeeds())
        if (file.size() > kBmpFileHeaderBytes)
            seeds[name] = Bytes(file.begin() + kBmpFileHeaderBytes, file.end());
    return seeds;
}

std::map<std::string, Bytes> RecordSeeds()
{
    std::map<std::string, Bytes> seeds;
    const LLaserPreviewBitmap::Parameters parameters = {1, 1, 0, 0, 1};
    const std::pair<const char*, Bytes> pictures[] = {{"a.png", PngSeeds().begin()->second},
                                                      {"b.jpg", JpegSeeds().at("grey")},
                                                      {"c.bmp", BmpSeeds().at("rle8")},
                                                      {"d.jpg", BmpSeeds().at("bits1")}};
    for (const auto& [name, bytes] : pictures) {
        LLaserPreviewBitmap bitmap;
        const XAString file = AsString(bytes);
        EXPECT_FALSE(bitmap.Load(name, &file, parameters).Failed()) << name;
        LArchiveXString writer;
        writer.OpenWrite(1024);
        bitmap.Write(writer);
        seeds[std::string("record_") + name] = fixtures::ArchiveBytes(writer);
    }
    seeds["record_empty"] = {0, 0, 0};
    return seeds;
}

void WriteCorpus(const char* name, const std::map<std::string, Bytes>& seeds)
{
    const char* root = std::getenv("ZYL_WRITE_FUZZ_CORPUS");
    if (!root)
        return;
    const std::filesystem::path folder = std::filesystem::path(root) / name;
    std::filesystem::create_directories(folder);
    for (const auto& [file, bytes] : seeds) {
        std::ofstream out(folder / file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

TEST(PictureFuzzCorpus, EverySeedIsReadable)
{
    for (const auto& [name, bytes] : BmpSeeds()) {
        LArchiveXString archive;
        archive.OpenReadMemory(bytes.data(), static_cast<int32_t>(bytes.size()), false);
        HImageRef image;
        EXPECT_TRUE(HImage::ReadBmp(image, archive, nullptr, true, true)) << name;
    }
    for (const auto& [name, bytes] : PngSeeds()) {
        LArchiveXString archive;
        archive.OpenReadMemory(bytes.data(), static_cast<int32_t>(bytes.size()), false);
        HImageRef image;
        EXPECT_FALSE(LPngReader(true).Read(nullptr, &archive, image).Failed()) << name;
    }
    for (const auto& [name, bytes] : JpegSeeds()) {
        LArchiveXString archive;
        archive.OpenReadMemory(bytes.data(), static_cast<int32_t>(bytes.size()), false);
        HImageRef image;
        EXPECT_FALSE(LJPegReader().Read(nullptr, &archive, INT32_MAX, INT32_MAX, image).Failed()) << name;
    }
    // The other DIB seeds lack the full palette or the 40-byte header that a DIB needs.
    for (const auto& [name, bytes] : DibSeeds()) {
        HImageRef image;
        if (name.starts_with("writer_")) {
            EXPECT_FALSE(HImageFromDIB(image, AsString(bytes), nullptr, true, false).Failed()) << name;
        }
    }
    WriteCorpus("bmp_reader", BmpSeeds());
    WriteCorpus("png_reader", PngSeeds());
    WriteCorpus("jpeg_reader", JpegSeeds());
    WriteCorpus("dib", DibSeeds());
    WriteCorpus("preview_bitmap", RecordSeeds());
}

} // namespace
