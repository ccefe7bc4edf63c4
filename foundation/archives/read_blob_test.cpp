#include "foundation/archives/read_blob.h"

#include "foundation/archives/archive_xstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct BlobCase
{
    std::string stream;
    int32_t count; // element count of the block; 0 for a null block
    bool error;
};

TEST(ReadBlob, CountsAndErrors)
{
    const BlobCase cases[] = {
        {std::string("\x00", 1), 0, false},
        {std::string("\x03"
                     "abc",
                     4),
         3, false},
        {std::string("\x05"
                     "ab",
                     3),
         0, true},
        {std::string("\xFF\x7F\xFF\xFF\xFF"
                     "ab",
                     7),
         0, true},
        {std::string("\xFF\xFF\xFF\xFF\xFE", 5), 0, true},
    };
    for (const auto& c : cases) {
        LArchiveXString archive;
        ASSERT_TRUE(archive.OpenReadMemory(c.stream.data(), static_cast<int32_t>(c.stream.size()), false));
        XABlock block;
        block.Alloc(4, nullptr, 4);
        ReadBlob(block, archive);
        EXPECT_EQ(block.Count(), c.count) << c.stream.size();
        EXPECT_EQ(archive.HasError(), c.error) << c.stream.size();
        if (c.count > 0) {
            EXPECT_EQ(std::memcmp(block.Data(), c.stream.data() + 1, static_cast<size_t>(c.count)), 0);
        }
    }
}

TEST(ReadBlob, RoundTripWithWriteCounted)
{
    LArchiveXString writer;
    ASSERT_TRUE(writer.OpenWrite(0));
    writer.WriteCounted("\x00\x01\x02", 3);
    writer.WriteCounted(nullptr, 0);
    const XAString bytes = writer.TakeString();
    EXPECT_EQ(bytes, XAString(std::string_view("\x03\x00\x01\x02\x00", 5)));

    LArchiveXString reader;
    ASSERT_TRUE(reader.OpenRead(bytes, -1));
    XABlock block;
    ReadBlob(block, reader);
    EXPECT_EQ(block.Count(), 3);
    ReadBlob(block, reader);
    EXPECT_FALSE(block);
    EXPECT_FALSE(reader.HasError());
}

} // namespace
