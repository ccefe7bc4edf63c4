#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/dib_exchange.h"
#include "foundation/pictures/test_support/picture_fixtures.h"

#include <gtest/gtest.h>

namespace {

using fixtures::BmpBuild;
using fixtures::Bytes;

XAString AsString(const Bytes& bytes)
{
    return XAString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Bytes DibOf(const BmpBuild& build)
{
    const Bytes file = fixtures::BuildBmp(build);
    return Bytes(file.begin() + kBmpFileHeaderBytes, file.end());
}

struct Saved
{
    bool ok;
    Bytes file;
    XAString error;
};

Saved Save(const Bytes& dib)
{
    LArchiveXString writer;
    writer.OpenWrite(256);
    Saved saved;
    saved.ok = SaveDIB(writer, dib.empty() ? nullptr : dib.data(), static_cast<int32_t>(dib.size()));
    saved.file = fixtures::ArchiveBytes(writer);
    saved.error = writer.Status().ErrorText();
    return saved;
}

BmpBuild Bgr24(int32_t height)
{
    BmpBuild b;
    b.width = 1;
    b.height = height;
    b.bitCount = 24;
    b.pixels = Bytes(4 * static_cast<size_t>(std::abs(height)), 0);
    b.pixels[0] = 0xFF;
    b.imageSize = 0; // SaveDIB computes it
    return b;
}

TEST(SaveDIB, AddsTheFileHeaderAndTheImageSize)
{
    const Saved saved = Save(DibOf(Bgr24(2)));
    ASSERT_TRUE(saved.ok) << saved.error.CStr();
    BmpBuild expect = Bgr24(2);
    expect.imageSize = 8;
    EXPECT_EQ(saved.file, fixtures::BuildBmp(expect));
}

TEST(SaveDIB, CountsTheMasksOfBitFieldsInThePixelOffset)
{
    BmpBuild b;
    b.width = 2;
    b.bitCount = 16;
    b.compression = kBmpBitFields;
    b.masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    b.pixels = {0xFF, 0xFF, 0x1F, 0};
    const Saved saved = Save(DibOf(b));
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file, fixtures::BuildBmp(b));
    EXPECT_EQ(saved.file[10], 14 + 40 + 12);
}

TEST(HImageFromDIB, ReadsTopDownAndBottomUpDibs)
{
    for (const int32_t height : {2, -2}) {
        HImageRef image;
        const CError status = HImageFromDIB(image, AsString(DibOf(Bgr24(height))), "clip", true, false);
        ASSERT_FALSE(status.Failed()) << status.ErrorText().CStr();
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(image->GetName(), "clip");
        const Bytes rows = fixtures::PixelRows(*image);
        EXPECT_EQ(rows[height > 0 ? 4 : 0], 0xFF) << "height " << height;
    }
}

TEST(SaveDIB, RefusesWhatItCannotWrite)
{
    struct Case
    {
        const char* what;
        Bytes dib;
        const char* error;
    };
    Bytes shortBits = DibOf(Bgr24(2));
    shortBits.resize(shortBits.size() - 1);
    Bytes manyColours = DibOf(Bgr24(1));
    manyColours[32] = 0xFF, manyColours[33] = 0xFF;
    Bytes coreHeader = DibOf(Bgr24(1));
    coreHeader[0] = 12;
    Bytes hugeRle = DibOf(Bgr24(1));
    hugeRle[16] = kBmpRle8, hugeRle[20] = 0xFF, hugeRle[21] = 0xFF;
    Bytes huge = DibOf(Bgr24(1));
    huge[4] = 0xC3, huge[5] = 0x0E, huge[6] = 0, huge[7] = 0x0E; // rows of 2^38 bits
    huge[8] = 0, huge[9] = 0, huge[10] = 0, huge[11] = 0x70;
    Bytes manyBits = DibOf(Bgr24(1));
    manyBits[14] = 0xFF;
    const Case cases[] = {
        {"sizes whose product wraps", huge, "Not a valid BMP/DIB file!"},
        {"255 bits a pixel", manyBits, "Not a valid BMP/DIB file!"},
        {"no DIB", {}, "SaveDIB, bitmap NIL!"},
        {"core header", coreHeader, "SaveDIB, Unsupported format!"},
        {"shorter than a header", Bytes(20, 0), "SaveDIB, Unsupported format!"},
        {"bits cut short", shortBits, "Not a valid BMP/DIB file!"},
        {"more colours than bytes", manyColours, "Not a valid BMP/DIB file!"},
        {"coded size beyond the block", hugeRle, "Not a valid BMP/DIB file!"},
    };
    for (const Case& c : cases) {
        const Saved saved = Save(c.dib);
        EXPECT_FALSE(saved.ok) << c.what;
        EXPECT_EQ(saved.error, c.error) << c.what;
    }
}

TEST(HImageFromDIB, AnEmptyHandleFails)
{
    HImageRef image = HImage::Create(nullptr, 1, 1, true, false);
    const CError status = HImageFromDIB(image, XAString(), nullptr, true, false);
    EXPECT_EQ(status.ErrorText(), "HDIB is NULL!");
    EXPECT_TRUE(image.IsEmpty());
}

TEST(ReadBmpAsDIB, ReturnsEverythingAfterTheFileHeader)
{
    const Bytes file = fixtures::BuildBmp(Bgr24(1));
    LArchiveXString reader;
    reader.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    const XAString dib = ReadBmpAsDIB(reader);
    EXPECT_EQ(dib, AsString(Bytes(file.begin() + 14, file.end())));

    struct Case
    {
        const char* what;
        Bytes file;
    };
    Bytes wrongMagic = file;
    wrongMagic[0] = 'X';
    Bytes tinySize = file;
    tinySize[2] = 14, tinySize[3] = 0;
    Bytes longSize = file;
    longSize[2] = 0xFF, longSize[3] = 0xFF;
    for (const Case& c :
         {Case{"magic", wrongMagic}, Case{"size 14", tinySize}, Case{"size beyond the data", longSize},
          Case{"header cut short", Bytes(file.begin(), file.begin() + 10)}}) {
        LArchiveXString bad;
        bad.OpenReadMemory(c.file.data(), static_cast<int32_t>(c.file.size()), false);
        EXPECT_TRUE(ReadBmpAsDIB(bad).IsEmpty()) << c.what;
        EXPECT_TRUE(bad.HasError()) << c.what;
    }
}

} // namespace
