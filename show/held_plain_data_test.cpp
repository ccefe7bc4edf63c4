#include "show/held_plain_data.h"

#include "foundation/archives/archive_xstring.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t kSourceBytes = 3000;

// Byte i of the source is i mod 251, so a byte read back tells where it came from.
XAString SourceBytes()
{
    XAString bytes;
    char* text = bytes.SetLength(kSourceBytes);
    for (int32_t i = 0; i < kSourceBytes; ++i)
        text[i] = static_cast<char>(i % 251);
    return bytes;
}

class HeldPlainDataTest : public ::testing::Test
{
  protected:
    void SetUp() override { source_.OpenRead(SourceBytes(), -1); }

    LArchiveXString source_;
    HeldPlainData held_;
};

TEST_F(HeldPlainDataTest, NothingIsHeldThatIsEmptyTooLargeOrOutsideTheSource)
{
    struct Case
    {
        int32_t start;
        int64_t mostBytes;
    };
    const Case cases[] = {{-1, 1 << 20}, {kSourceBytes, 1 << 20}, {kSourceBytes + 5, 1 << 20}, {0, kSourceBytes - 1}};
    for (const Case& c : cases) {
        EXPECT_FALSE(held_.Take(source_, c.start, c.mostBytes)) << c.start << " " << c.mostBytes;
        EXPECT_FALSE(held_.IsHeld());
        EXPECT_EQ(held_.ReaderAt(c.start), nullptr);
        EXPECT_FALSE(source_.HasError());
    }
}

TEST_F(HeldPlainDataTest, ReadsComeFromTheHeldRangeOnly)
{
    ASSERT_TRUE(held_.Take(source_, 1000, kSourceBytes - 1000));
    EXPECT_EQ(held_.Start(), 1000);
    EXPECT_EQ(held_.End(), kSourceBytes);
    // The source is not needed any more: its later state does not matter.
    source_.Close();
    struct Case
    {
        int32_t position;
        bool held;
    };
    const Case cases[] = {{999, false}, {1000, true}, {2000, true}, {kSourceBytes - 1, true}, {kSourceBytes, false}};
    for (const Case& c : cases) {
        LArchiveBase* reader = held_.ReaderAt(c.position);
        ASSERT_EQ(reader != nullptr, c.held) << c.position;
        if (!reader)
            continue;
        uint8_t byte = 0;
        EXPECT_EQ(reader->ReadBlock(&byte, 1, 1), 1);
        EXPECT_EQ(byte, c.position % 251) << c.position;
        EXPECT_FALSE(held_.NeedsCipher());
    }
}

TEST_F(HeldPlainDataTest, AFailedReadAsksForTheCipherAndDoesNotSpoilTheNext)
{
    ASSERT_TRUE(held_.Take(source_, 0, 1 << 20));
    // A record that claims more bytes than the stream holds.
    LArchiveBase* reader = held_.ReaderAt(kSourceBytes - 4);
    ASSERT_NE(reader, nullptr);
    std::vector<uint8_t> record(16);
    reader->ReadBlock(record.data(), 16, 16);
    EXPECT_TRUE(held_.NeedsCipher());

    reader = held_.ReaderAt(10);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->ReadBlock(record.data(), 16, 16), 16);
    EXPECT_EQ(record[0], 10);
    EXPECT_EQ(record[15], 25);
    EXPECT_FALSE(held_.NeedsCipher());
}

TEST_F(HeldPlainDataTest, DropLetsGoOfTheBytes)
{
    ASSERT_TRUE(held_.Take(source_, 0, 1 << 20));
    held_.Drop();
    EXPECT_FALSE(held_.IsHeld());
    EXPECT_EQ(held_.ReaderAt(0), nullptr);
}

} // namespace
