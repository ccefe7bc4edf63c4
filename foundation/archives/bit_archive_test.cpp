#include "foundation/archives/bit_archive.h"
#include "foundation/archives/test_support/bit_test_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

TEST(BitArchive, PacksMostSignificantBitFirst)
{
    VectorBitArchive bits;
    bits.WriteBits(0b101, 3);
    bits.Flush();
    EXPECT_EQ(bits.Bytes(), std::vector<uint8_t>{0xA0});

    VectorBitArchive mixed;
    mixed.WriteBits(0x3, 2);
    mixed.WriteBits(0xFFFFFE01, 9); // only the low 9 bits count
    mixed.WriteBits(0xABCDEF12, 32);
    mixed.WriteBits(1, 0);
    mixed.Flush();
    EXPECT_EQ(mixed.Bytes(), BitStringBytes("11 000000001 10101011110011011110111100010010"));

    VectorBitArchive reader(mixed.Bytes());
    EXPECT_EQ(reader.ReadBits(2), 3u);
    EXPECT_EQ(reader.ReadBits(9), 1u);
    EXPECT_EQ(reader.ReadBits(32), 0xABCDEF12u);
    EXPECT_EQ(reader.ReadBits(0), 0u);
    EXPECT_EQ(reader.ReadBits(-3), 0u);
    EXPECT_EQ(reader.BitPosition(), 43);
}

TEST(BitArchive, FlushAlignsReading)
{
    VectorBitArchive reader(BitStringBytes("1010 0000 0110 0000"));
    EXPECT_EQ(reader.ReadBits(3), 5u);
    reader.Flush();
    EXPECT_EQ(reader.BitPosition(), 8);
    EXPECT_EQ(reader.ReadBits(3), 3u);
    // Beyond the data the source gives zero bytes.
    EXPECT_EQ(reader.ReadBits(16), 0u);
}

TEST(BitArchive, PeekSeesOnlyWhatIsThere)
{
    VectorBitArchive reader(BitStringBytes("1100 1010 0111"));
    uint32_t value = 0;
    ASSERT_TRUE(reader.PeekBits(10, value));
    EXPECT_EQ(value, 0b1100101001u);
    reader.SkipBits(3);
    EXPECT_EQ(reader.BitPosition(), 3);
    ASSERT_TRUE(reader.PeekBits(13, value));
    EXPECT_EQ(value, 0b0101001110000u);
    EXPECT_FALSE(reader.PeekBits(14, value));
    EXPECT_EQ(reader.ReadBits(5), 0b01010u);
}

struct PrefixedCase
{
    int64_t value;
    bool isSigned;
    const char* bits;
};

TEST(BitArchive, PrefixedIntegers)
{
    const PrefixedCase cases[] = {
        {0, false, "00000"},
        {1, false, "00001 1"},
        {6, false, "00011 110"},
        {0x7FFFFFFF, false, "11111 1111111111111111111111111111111"},
        {0, true, "00000"},
        {1, true, "00010 01"},
        {-1, true, "00001 1"},
        {-2, true, "00010 10"},
        {3, true, "00011 011"},
        {-4, true, "00011 100"},
        {(1 << 30) - 1, true, "11111 0111111111111111111111111111111"},
        {-(1 << 30), true, "11111 1000000000000000000000000000000"},
    };
    for (const PrefixedCase& c : cases) {
        VectorBitArchive writer;
        if (c.isSigned)
            writer.WriteSignedPrefixed(static_cast<int32_t>(c.value));
        else
            writer.WriteUnsignedPrefixed(static_cast<uint32_t>(c.value));
        writer.Flush();
        EXPECT_EQ(writer.Bytes(), BitStringBytes(c.bits)) << c.value;
        VectorBitArchive reader(writer.Bytes());
        const int64_t back =
            c.isSigned ? int64_t(reader.ReadSignedPrefixed()) : int64_t(reader.ReadUnsignedPrefixed());
        EXPECT_EQ(back, c.value);
        EXPECT_FALSE(writer.Failed());
    }
}

TEST(BitArchive, PrefixedIntegersMustFit31Bits)
{
    VectorBitArchive tooBig;
    tooBig.WriteUnsignedPrefixed(0x80000000u);
    EXPECT_TRUE(tooBig.Failed());
    VectorBitArchive tooHigh;
    tooHigh.WriteSignedPrefixed(1 << 30);
    EXPECT_TRUE(tooHigh.Failed());
    VectorBitArchive tooLow;
    tooLow.WriteSignedPrefixed(-(1 << 30) - 1);
    EXPECT_TRUE(tooLow.Failed());
    EXPECT_TRUE(tooLow.Bytes().empty());
}

TEST(BitArchive, ReadSignedExtendsTheTopBit)
{
    VectorBitArchive reader(BitStringBytes("110 011 1 11111111111111111111111111111110"));
    EXPECT_EQ(reader.ReadSigned(3), -2);
    EXPECT_EQ(reader.ReadSigned(3), 3);
    EXPECT_EQ(reader.ReadSigned(1), -1);
    EXPECT_EQ(reader.ReadSigned(32), -2);
}

TEST(BitArchive, CheckVersion)
{
    struct Case
    {
        uint32_t version, minimumReader, newest, oldest;
        const char* error;
    };
    const Case cases[] = {
        {0, 0, 0, 0, ""},
        {2, 1, 1, 0, ""},
        {2, 2, 1, 0, "Can not handle incompatible (newer) format!"},
        {0, 0, 3, 1, "Can not handle incompatible (old) format!"},
    };
    for (const Case& c : cases) {
        VectorBitArchive writer;
        writer.WriteVersion(c.version, c.minimumReader);
        writer.Flush();
        VectorBitArchive reader(writer.Bytes());
        uint32_t version = 99, minimumReader = 99;
        EXPECT_EQ(reader.CheckVersion(c.newest, c.oldest, &version, &minimumReader), *c.error == 0);
        EXPECT_EQ(reader.Status().ErrorText(), c.error);
        EXPECT_EQ(version, c.version);
        EXPECT_EQ(minimumReader, c.minimumReader);
    }
}

TEST(BitArchive, TheBaseArchiveHasNoBits)
{
    LBitArchive none;
    none.WriteBits(7, 3);
    EXPECT_EQ(none.ReadBits(8), 0u);
    EXPECT_EQ(none.BitsLeft(), -1);
    LBitArchiveBytes nowhere;
    nowhere.WriteBits(0xFF, 8);
    EXPECT_EQ(nowhere.ReadBits(8), 0u);
}

namespace {
// A byte source that shows only a few bytes ahead at a time (as an archive near the end of its
// buffer does), or none at all; it counts the bytes it handed out.
class NarrowSource : public LBitArchiveBytes
{
  public:
    NarrowSource(std::vector<uint8_t> bytes, int32_t shown) : bytes_(std::move(bytes)), shown_(shown) {}

    uint8_t ReadByte() override { return next_ < bytes_.size() ? bytes_[next_++] : 0; }
    size_t Consumed() const { return next_; }

  protected:
    int32_t LookAhead(const uint8_t*& bytes) override
    {
        bytes = bytes_.data() + next_;
        // A different width on each look, from 1 to the largest shown.
        shownNow_ = shownNow_ % std::max(shown_, 1) + 1;
        return shown_ == 0 ? 0 : static_cast<int32_t>(std::min<size_t>(shownNow_, bytes_.size() - next_));
    }

  private:
    std::vector<uint8_t> bytes_;
    size_t next_ = 0;
    int32_t shown_;
    int32_t shownNow_ = 0;
};
} // namespace

// Reads, peeks, skips and flushes at random widths give the same bits, positions and consumed
// bytes whether the source shows many bytes ahead, a few, or none.
TEST(BitArchive, LookAheadReadsMatchByteByByteReads)
{
    std::mt19937 random(99);
    std::vector<uint8_t> bytes(3000);
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(random());
    NarrowSource plain(bytes, 0);
    NarrowSource narrow(bytes, 3);
    NarrowSource wide(bytes, 4000);
    NarrowSource* sources[] = {&plain, &narrow, &wide};
    for (int step = 0; step < 4000; ++step) {
        const uint32_t kind = random() % 16;
        const int32_t n = 1 + static_cast<int32_t>(random() % 32);
        uint32_t expected = 0;
        for (NarrowSource* source : sources) {
            uint32_t value = 0;
            if (kind == 0) {
                source->Flush();
            } else if (kind < 4) {
                source->SkipBits(n);
            } else if (kind < 7 && source != &plain) {
                uint32_t peeked = 0;
                // A peek may fail where the source shows too little; it never consumes.
                if (source->PeekBits(n, peeked))
                    ASSERT_EQ(peeked, source->ReadBits(n)) << step;
                else
                    source->SkipBits(n);
                continue;
            } else if (kind < 7) {
                source->SkipBits(n);
                continue;
            } else {
                value = source->ReadBits(n);
            }
            if (source == &plain)
                expected = value;
            ASSERT_EQ(value, expected) << step;
            ASSERT_EQ(source->BitPosition(), plain.BitPosition()) << step;
        }
    }
    for (NarrowSource* source : sources)
        source->Flush();
    EXPECT_EQ(narrow.Consumed(), plain.Consumed());
    EXPECT_EQ(wide.Consumed(), plain.Consumed());
    EXPECT_EQ(narrow.BitPosition(), plain.BitPosition());
}
