#include "foundation/archives/archive_xstring.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

XAString Bytes(int n)
{
    XAString s;
    char* text = s.SetLength(n);
    for (int i = 0; i < n; ++i)
        text[i] = static_cast<char>('A' + i % 26);
    return s;
}

TEST(ArchiveXString, GrowsOnceForThreeThousandBytes)
{
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(0));
    std::set<int32_t> capacities = {archive.Capacity()};
    for (int i = 0; i < 3000; ++i) {
        archive.WriteU8(static_cast<uint8_t>(i));
        capacities.insert(archive.Capacity());
    }
    EXPECT_EQ(capacities, (std::set<int32_t>{1024, 4096}));
    const XAString taken = archive.TakeString();
    ASSERT_EQ(taken.Length(), 3000);
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(static_cast<uint8_t>(taken.CStr()[i]), static_cast<uint8_t>(i));
    EXPECT_EQ(archive.GetFileSize(), 3000);
    EXPECT_TRUE(archive.Close());
}

TEST(ArchiveXString, EmptyWriterTakesEmptyString)
{
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(10));
    EXPECT_TRUE(archive.TakeString().IsEmpty());
}

TEST(ArchiveXString, DeclaredLengthEndsTheStream)
{
    const XAString source = Bytes(100);
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenRead(source, 10));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(archive.ReadU8(), 'A' + i);
    EXPECT_FALSE(archive.HasError());
    EXPECT_EQ(archive.ReadU8(), 0);
    EXPECT_EQ(Text(archive.Status().ErrorText()), "UnbufferedReadRaw: End of file!");
}

TEST(ArchiveXString, DeclaredLengthIsClampedToTheString)
{
    const XAString source = Bytes(5);
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenRead(source, 1000));
    EXPECT_EQ(archive.GetFileSize(), 5);
    EXPECT_EQ(Text(archive.ReadAString(5)), "ABCDE");
    EXPECT_FALSE(archive.HasError());
    ASSERT_TRUE(archive.OpenRead(source, -1));
    EXPECT_EQ(archive.GetFileSize(), 5);
}

TEST(ArchiveXString, SeeksOutsideLandAtTheEdges)
{
    struct Case
    {
        int32_t from;
        int32_t target;
        int32_t lands;
        bool error;
    };
    const Case cases[] = {
        {3, -5, 0, true}, {3, 2000, 1500, true}, {3, 1500, 1500, false},
        {3, 0, 0, false}, {3, 7, 7, false},      {1030, 2, 2, false},
    };
    const XAString source = Bytes(1500);
    for (const auto& c : cases) {
        LArchiveXString archive;
        ASSERT_TRUE(archive.OpenRead(source, -1));
        archive.Skip(c.from, c.from);
        EXPECT_EQ(archive.Seek(c.target), c.lands) << c.target;
        EXPECT_EQ(archive.Tell(), c.lands);
        EXPECT_EQ(Text(archive.Status().ErrorText()),
                  c.error ? "LArchiveXString::Invalid seek position!" : "");
        if (c.lands < 1500) {
            EXPECT_EQ(archive.ReadU8(), 'A' + c.lands % 26);
        }
    }
}

TEST(ArchiveXString, WriterOverwritesAfterASeekBack)
{
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(0));
    archive.WriteI32(0x01020304);
    archive.WriteI32(0x05060708);
    EXPECT_EQ(archive.Seek(2), 2);
    archive.WriteU8(0xEE);
    EXPECT_EQ(archive.GetFileSize(), 8);
    EXPECT_EQ(archive.TakeString(), XAString(std::string_view("\x01\x02\xEE\x04\x05\x06\x07\x08", 8)));
}

TEST(ArchiveXString, ReadsCallerMemoryWithOrWithoutCopy)
{
    char bytes[] = {'x', 'y', 'z'};
    for (const bool copy : {false, true}) {
        LArchiveXString archive;
        ASSERT_TRUE(archive.OpenReadMemory(bytes, 3, copy));
        bytes[0] = 'q';
        EXPECT_EQ(Text(archive.ReadAString(3)), copy ? "xyz" : "qyz");
        bytes[0] = 'x';
    }
}

TEST(ArchiveXString, CloseForgetsEverything)
{
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenWrite(0));
    archive.WriteI64(5);
    EXPECT_TRUE(archive.Close());
    EXPECT_EQ(archive.Tell(), 0);
    EXPECT_FALSE(archive.IsWriter());
    EXPECT_TRUE(archive.TakeString().IsEmpty());
}

TEST(ArchiveXString, ReaderRefusesRawWrites)
{
    const XAString source = Bytes(4);
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenRead(source, -1));
    EXPECT_EQ(archive.UnbufferedWriteRaw("zz", 2), 0);
    EXPECT_EQ(Text(source), "ABCD");
    EXPECT_TRUE(archive.HasError());
}

} // namespace
