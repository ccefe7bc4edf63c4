#include "show/l_laser_preview_bitmap.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/test_support/picture_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using fixtures::Bytes;

XAString AsString(const Bytes& bytes)
{
    return XAString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Bytes Recorded(const LLaserPreviewBitmap& bitmap)
{
    LArchiveXString writer;
    writer.OpenWrite(256);
    bitmap.Write(writer);
    return fixtures::ArchiveBytes(writer);
}

// Reads a record into the bitmap; returns the archive's error text.
XAString ReadRecord(LLaserPreviewBitmap& bitmap, const Bytes& record)
{
    LArchiveXString reader;
    reader.OpenReadMemory(record.data(), static_cast<int32_t>(record.size()), false);
    bitmap.Read(reader);
    return reader.Status().ErrorText();
}

Bytes SmallPng()
{
    fixtures::PngBuild png;
    png.rows = {{10, 20, 30}};
    return fixtures::WritePng(png);
}

Bytes SmallPalettisedBmp()
{
    fixtures::BmpBuild bmp;
    bmp.palette = {30, 20, 10, 0};
    bmp.coloursUsed = 1;
    bmp.pixels = {0, 0, 0, 0};
    return fixtures::BuildBmp(bmp);
}

const LLaserPreviewBitmap::Parameters kLoaderParameters = {1.0f, 1.0f, 0.0f, 0.0f, 1.0f};
const Bytes kLoaderParameterBytes = {0x3F, 0x80, 0, 0, 0x3F, 0x80, 0,    0,    0, 0,
                                     0,    0,    0, 0, 0,    0,    0x3F, 0x80, 0, 0};

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(LLaserPreviewBitmap, PngRecordsHaveVersionZeroAndNoType)
{
    const Bytes png = SmallPng();
    const XAString bytes = AsString(png);
    LLaserPreviewBitmap bitmap;
    ASSERT_FALSE(bitmap.Load("/some/folder/x.png", &bytes, kLoaderParameters).Failed());
    EXPECT_EQ(bitmap.Name(), "x.png");
    EXPECT_EQ(bitmap.Type(), LLaserPreviewBitmap::kTypePng);
    const Bytes expect = Bytes{0, 0, static_cast<uint8_t>(png.size())} + png +
                         Bytes{5, 'x', '.', 'p', 'n', 'g'} + kLoaderParameterBytes;
    EXPECT_EQ(Recorded(bitmap), expect);
}

TEST(LLaserPreviewBitmap, OtherRecordsHaveVersionOneAndTheirType)
{
    const Bytes bmp = SmallPalettisedBmp();
    const XAString bytes = AsString(bmp);
    LLaserPreviewBitmap bitmap;
    ASSERT_FALSE(bitmap.Load("p.DIB", &bytes, kLoaderParameters).Failed());
    EXPECT_EQ(bitmap.Type(), LLaserPreviewBitmap::kTypeBmp);
    const Bytes expect = Bytes{1, 1, static_cast<uint8_t>(bmp.size())} + bmp +
                         Bytes{5, 'p', '.', 'D', 'I', 'B', 2} + kLoaderParameterBytes;
    EXPECT_EQ(Recorded(bitmap), expect);

    LLaserPreviewBitmap back;
    EXPECT_TRUE(ReadRecord(back, expect).IsEmpty());
    EXPECT_EQ(back.Type(), LLaserPreviewBitmap::kTypeBmp);
    EXPECT_EQ(back.Name(), "p.DIB");
    EXPECT_EQ(back.FileBytes(), bytes);
    EXPECT_EQ(back.GetParameters(), kLoaderParameters);
    EXPECT_TRUE(back.Picture().IsEmpty()) << "decoded only when asked";
    const HImageRef& picture = back.Decode();
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture->Flags(), kImageTrueColour) << "converted to true colour";
    EXPECT_EQ(fixtures::PixelRows(*picture), (Bytes{30, 20, 10, 0}));
}

TEST(LLaserPreviewBitmap, AnEmptyRecordIsTheVersionBlockAndAZero)
{
    LLaserPreviewBitmap bitmap;
    EXPECT_EQ(Recorded(bitmap), (Bytes{0, 0, 0}));
    const XAString bytes = AsString(SmallPng());
    ASSERT_FALSE(bitmap.Load("a.png", &bytes, kLoaderParameters).Failed());
    EXPECT_TRUE(ReadRecord(bitmap, {0, 0, 0}).IsEmpty());
    EXPECT_TRUE(bitmap.FileBytes().IsEmpty());
    EXPECT_TRUE(bitmap.Name().IsEmpty());
    EXPECT_TRUE(bitmap.Picture().IsEmpty());
}

TEST(LLaserPreviewBitmap, APngNamedJpgIsFoundByTheOtherReaders)
{
    const Bytes png = SmallPng();
    const Bytes record = Bytes{0, 0, static_cast<uint8_t>(png.size())} + png +
                         Bytes{5, 'x', '.', 'j', 'p', 'g'} + kLoaderParameterBytes;
    LLaserPreviewBitmap bitmap;
    EXPECT_TRUE(ReadRecord(bitmap, record).IsEmpty());
    EXPECT_EQ(bitmap.Type(), LLaserPreviewBitmap::kTypeJpeg) << "from the name";
    ASSERT_FALSE(bitmap.Decode().IsEmpty());
    EXPECT_EQ(bitmap.Type(), LLaserPreviewBitmap::kTypePng);
}

TEST(LLaserPreviewBitmap, TypeFromTheNamesExtension)
{
    struct Case
    {
        const char* path;
        int32_t type;
    };
    const XAString bytes = AsString(SmallPng());
    for (const Case c : {Case{"a.bmp", 2}, Case{"b.DiB", 2}, Case{"c.PNG", 0}, Case{"d.jpeg", 1},
                         Case{"noextension", 1}, Case{"dir.bmp/e", 1}}) {
        LLaserPreviewBitmap bitmap;
        const Bytes record = Bytes{0, 0, 1, 'z', static_cast<uint8_t>(std::strlen(c.path))} +
                             Bytes(c.path, c.path + std::strlen(c.path)) + kLoaderParameterBytes;
        EXPECT_TRUE(ReadRecord(bitmap, record).IsEmpty());
        EXPECT_EQ(bitmap.Type(), c.type) << c.path;
    }
}

TEST(LLaserPreviewBitmap, AnUnknownStoredTypeIsAnError)
{
    const Bytes record = Bytes{1, 1, 1, 'z', 5, 'x', '.', 'b', 'm', 'p', 7} + kLoaderParameterBytes;
    LLaserPreviewBitmap bitmap;
    EXPECT_EQ(ReadRecord(bitmap, record), "Incompatible format (481)!");
    EXPECT_EQ(bitmap.Type(), LLaserPreviewBitmap::kTypeBmp) << "from the name";
}

TEST(LLaserPreviewBitmap, HostileRecordsFailWithoutAllocating)
{
    LLaserPreviewBitmap bitmap;
    EXPECT_FALSE(ReadRecord(bitmap, {0, 0, 255, 0x7F, 0xFF, 0xFF, 0xFF, 1, 2}).IsEmpty()) << "2 GB of bytes";
    EXPECT_TRUE(bitmap.FileBytes().IsEmpty());
    EXPECT_FALSE(ReadRecord(bitmap, {0, 0, 255, 0xFF, 0xFF, 0xFF, 0xFF}).IsEmpty()) << "negative count";
    EXPECT_FALSE(ReadRecord(bitmap, {2, 2, 0}).IsEmpty()) << "newer version";
    EXPECT_TRUE(bitmap.FileBytes().IsEmpty());
}

TEST(LLaserPreviewBitmap, LoadReadsTheFileAndRefusesWhatNoReaderReads)
{
    const std::string path = testing::TempDir() + "preview_bitmap_test.bmp";
    const Bytes bmp = SmallPalettisedBmp();
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(bmp.data(), 1, bmp.size(), out);
    std::fclose(out);
    LLaserPreviewBitmap bitmap;
    ASSERT_FALSE(bitmap.Load(path.c_str(), nullptr, kLoaderParameters).Failed());
    EXPECT_EQ(bitmap.Name(), "preview_bitmap_test.bmp");
    EXPECT_EQ(bitmap.FileBytes(), AsString(bmp));
    EXPECT_FALSE(bitmap.Picture().IsEmpty());

    const XAString junk("not a picture");
    EXPECT_EQ(bitmap.Load("junk.png", &junk, kLoaderParameters).ErrorText(),
              "Can't read image! (invalid/unknown format)");
    EXPECT_TRUE(bitmap.FileBytes().IsEmpty());
    std::remove(path.c_str());
    EXPECT_TRUE(bitmap.Load(path.c_str(), nullptr, kLoaderParameters).Failed());
    EXPECT_TRUE(bitmap.Name().IsEmpty());
}

} // namespace
