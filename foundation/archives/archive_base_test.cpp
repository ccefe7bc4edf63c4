#include "foundation/archives/archive_base.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A raw stream over a byte vector with a buffer of any size, so that values can be put
// across the buffer's edge. It knows no size and cannot seek, like a plain pipe.
class VectorArchive : public LArchiveBase
{
  public:
    explicit VectorArchive(int32_t bufferSize) : buffer_(static_cast<size_t>(bufferSize)) {}

    void OpenWrite() { SetWriteBuffer(buffer_.data(), static_cast<int32_t>(buffer_.size())); }
    void OpenRead(Bytes bytes)
    {
        stream_ = std::move(bytes);
        readAt_ = 0;
        SetReadBuffer(buffer_.data(), static_cast<int32_t>(buffer_.size()));
    }

    int32_t UnbufferedReadRaw(void* destination, int32_t min, int32_t max) override
    {
        const int32_t n = std::min<int32_t>(max, static_cast<int32_t>(stream_.size() - readAt_));
        std::memcpy(destination, stream_.data() + readAt_, static_cast<size_t>(n));
        readAt_ += static_cast<size_t>(n);
        if (n < min)
            Status().SetError("End of file!", 0);
        return n;
    }
    int32_t UnbufferedWriteRaw(const void* source, int32_t n) override
    {
        const auto* p = static_cast<const uint8_t*>(source);
        stream_.insert(stream_.end(), p, p + n);
        writes_.push_back(n);
        return n;
    }
    bool Close(bool /*force*/) override
    {
        Flush();
        SetWriteBuffer(nullptr, 0);
        SetReadBuffer(nullptr, 0);
        return !HasError();
    }

    Bytes Written()
    {
        Flush();
        return stream_;
    }
    size_t ReadAt() const { return readAt_; }
    const std::vector<int32_t>& Writes() const { return writes_; }

  private:
    Bytes buffer_;
    Bytes stream_;
    size_t readAt_ = 0;
    std::vector<int32_t> writes_;
};

// The same, but with a known size, as the file and memory archives have.
class SizedVectorArchive : public VectorArchive
{
  public:
    using VectorArchive::VectorArchive;
    bool QueryCapability() override { return true; }
    int32_t GetFileSize() override { return size_; }
    void OpenRead(Bytes bytes)
    {
        size_ = static_cast<int32_t>(bytes.size());
        VectorArchive::OpenRead(std::move(bytes));
    }

  private:
    int32_t size_ = 0;
};

constexpr int32_t kSmallBuffer = 8;
constexpr int32_t kLargeBuffer = 1024;

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

TEST(ArchiveBase, CompactCountsBothWays)
{
    struct Case
    {
        int32_t value;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {253, {0xFD}},
        {254, {0xFE, 0x00, 0xFE}},
        {255, {0xFE, 0x00, 0xFF}},
        {65535, {0xFE, 0xFF, 0xFF}},
        {65536, {0xFF, 0x00, 0x01, 0x00, 0x00}},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {INT32_MIN, {0xFF, 0x80, 0x00, 0x00, 0x00}},
        {INT32_MAX, {0xFF, 0x7F, 0xFF, 0xFF, 0xFF}},
    };
    for (const int32_t bufferSize : {kSmallBuffer, kLargeBuffer}) {
        for (const auto& c : cases) {
            VectorArchive writer(bufferSize);
            writer.OpenWrite();
            writer.WriteCount(c.value);
            EXPECT_EQ(writer.Written(), c.bytes) << c.value;

            VectorArchive reader(bufferSize);
            reader.OpenRead(c.bytes);
            EXPECT_EQ(reader.ReadCount(), c.value);
            EXPECT_EQ(reader.Tell(), static_cast<int32_t>(c.bytes.size()));
        }
    }
    // A small value in the long forms still reads back; 254 never yields a negative value.
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead({0xFF, 0x00, 0x00, 0x00, 0x05, 0xFE, 0xFF, 0xFE});
    EXPECT_EQ(reader.ReadCount(), 5);
    EXPECT_EQ(reader.ReadCount(), 65534);
}

TEST(ArchiveBase, PrimitivesByteForByte)
{
    for (const int32_t bufferSize : {kSmallBuffer, kLargeBuffer}) {
        VectorArchive writer(bufferSize);
        writer.OpenWrite();
        writer.WriteU8(0xA5);
        writer.WriteU16(0x1234);
        writer.WriteI32(-2);
        writer.WriteI64(0x0102030405060708);
        writer.WriteFloat(1.0f);
        writer.WriteDouble(-2.5);
        writer.WriteBool(true);
        writer.WriteBool(false);
        writer.WriteString(XAString("abc"));
        writer.WriteString(XAString());
        writer.WriteCString("xy");
        writer.WriteCString(nullptr);
        writer.WriteVersion(2, 1);
        writer.WriteCounted("\x00\x01", 2);
        const Bytes expected = {
            0xA5,                                           // U8
            0x12, 0x34,                                     // U16
            0xFF, 0xFF, 0xFF, 0xFE,                         // I32
            0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, // I64
            0x3F, 0x80, 0x00, 0x00,                         // float 1.0
            0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // double -2.5
            0x01, 0x00,                                     // bools
            0x03, 'a',  'b',  'c',  0x00,                   // strings
            0x02, 'x',  'y',  0x00,                         // C strings
            0x02, 0x01,                                     // version block
            0x02, 0x00, 0x01,                               // counted bytes
        };
        ASSERT_EQ(writer.Written(), expected);

        VectorArchive reader(bufferSize);
        reader.OpenRead(expected);
        EXPECT_EQ(reader.ReadU8(), 0xA5);
        EXPECT_EQ(reader.ReadU16(), 0x1234);
        EXPECT_EQ(reader.ReadI32(), -2);
        EXPECT_EQ(reader.ReadI64(), 0x0102030405060708);
        EXPECT_EQ(reader.ReadFloat(), 1.0f);
        EXPECT_EQ(reader.ReadDouble(), -2.5);
        EXPECT_TRUE(reader.ReadBool());
        EXPECT_FALSE(reader.ReadBool());
        XAString s;
        EXPECT_EQ(reader.ReadString(s, 100), 3);
        EXPECT_EQ(Text(s), "abc");
        EXPECT_EQ(reader.ReadString(s, 100), 0);
        EXPECT_TRUE(s.IsEmpty());
        EXPECT_EQ(reader.ReadString(s, 100), 2);
        EXPECT_EQ(Text(s), "xy");
        EXPECT_EQ(reader.ReadString(s, 100), 0);
        int32_t stored = -1;
        EXPECT_TRUE(reader.ReadVersion(2, 0, stored));
        EXPECT_EQ(stored, 2);
        EXPECT_EQ(reader.StoredMinimumReader(), 1);
        uint8_t two[2] = {9, 9};
        EXPECT_EQ(reader.ReadCountMinMax(two, reader.ReadCount(), 2, 2, true), 2);
        EXPECT_EQ(two[1], 1);
        EXPECT_FALSE(reader.HasError());
        EXPECT_EQ(reader.Tell(), static_cast<int32_t>(expected.size()));
    }
}

TEST(ArchiveBase, BoolReadsAnyNonZeroAsTrue)
{
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead({0x7F, 0x00});
    EXPECT_TRUE(reader.ReadBool());
    EXPECT_FALSE(reader.ReadBool());
}

TEST(ArchiveBase, ValuesAcrossTheBufferEdge)
{
    // Every offset of an 8-byte value against an 8-byte buffer, written and read back.
    for (int lead = 0; lead < kSmallBuffer; ++lead) {
        VectorArchive writer(kSmallBuffer);
        writer.OpenWrite();
        for (int i = 0; i < lead; ++i)
            writer.WriteU8(static_cast<uint8_t>(i));
        writer.WriteI64(static_cast<int64_t>(0x8877665544332211));
        writer.WriteI32(0x0A0B0C0D);
        writer.WriteU16(0xBEEF);
        Bytes expected;
        for (int i = 0; i < lead; ++i)
            expected.push_back(static_cast<uint8_t>(i));
        const Bytes tail = {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22,
                            0x11, 0x0A, 0x0B, 0x0C, 0x0D, 0xBE, 0xEF};
        expected.insert(expected.end(), tail.begin(), tail.end());
        ASSERT_EQ(writer.Written(), expected) << lead;

        VectorArchive reader(kSmallBuffer);
        reader.OpenRead(expected);
        for (int i = 0; i < lead; ++i)
            EXPECT_EQ(reader.ReadU8(), i);
        EXPECT_EQ(reader.ReadI64(), static_cast<int64_t>(0x8877665544332211)) << lead;
        EXPECT_EQ(reader.ReadI32(), 0x0A0B0C0D);
        EXPECT_EQ(reader.ReadU16(), 0xBEEF);
        EXPECT_FALSE(reader.HasError());
    }
}

TEST(ArchiveBase, ShortReadYieldsZeroAndConsumesNothing)
{
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead({1, 2, 3});
    EXPECT_EQ(reader.ReadI32(), 0);
    EXPECT_EQ(Text(reader.Status().ErrorText()), "End of file!");
    EXPECT_EQ(reader.BufferedBytes(), 3);
    EXPECT_EQ(reader.Tell(), 0);
    EXPECT_EQ(reader.ReadU8(), 1);
    EXPECT_EQ(reader.ReadU16(), 0x0203);
    EXPECT_EQ(reader.ReadDouble(), 0.0);
    EXPECT_FALSE(reader.ReadBool());
}

TEST(ArchiveBase, BlocksAroundTheBuffer)
{
    Bytes stream(100);
    for (size_t i = 0; i < stream.size(); ++i)
        stream[i] = static_cast<uint8_t>(i);
    struct Case
    {
        int32_t min;
        int32_t max;
        int32_t expected;
    };
    // Below the buffer, through Refill; from the buffer size on, straight from the stream.
    const Case cases[] = {{3, 3, 3}, {7, 7, 7}, {8, 8, 8},     {50, 50, 50},
                          {0, 0, 0}, {5, 2, 2}, {99, 200, 99}, {100, 100, 99}};
    for (const auto& c : cases) {
        VectorArchive reader(kSmallBuffer);
        reader.OpenRead(stream);
        EXPECT_EQ(reader.ReadU8(), 0);
        Bytes out(static_cast<size_t>(std::max(c.max, 0)));
        EXPECT_EQ(reader.ReadBlock(out.data(), c.min, c.max), c.expected) << c.min << " " << c.max;
        for (int32_t i = 0; i < c.expected; ++i)
            ASSERT_EQ(out[static_cast<size_t>(i)], i + 1);
        EXPECT_EQ(reader.Tell(), 1 + c.expected);
    }

    VectorArchive reader(kSmallBuffer);
    reader.OpenRead(stream);
    EXPECT_EQ(reader.Skip(5, 5), 5);
    EXPECT_EQ(reader.ReadBlock(nullptr, 30, 30), 30);
    EXPECT_EQ(reader.ReadU8(), 35);
    // Without a minimum only the buffered input is taken.
    const int32_t buffered = reader.BufferedBytes();
    EXPECT_EQ(reader.Skip(0, 50), buffered);
    EXPECT_EQ(reader.Skip(-1, -1), 0);
    EXPECT_FALSE(reader.HasError());
    const int32_t left = 100 - reader.Tell();
    EXPECT_EQ(reader.Skip(100, 100), left);
    EXPECT_EQ(Text(reader.Status().ErrorText()), "End of file!");
}

TEST(ArchiveBase, LargeWritesBypassTheBuffer)
{
    VectorArchive writer(kSmallBuffer);
    writer.OpenWrite();
    const Bytes block(100, 0x11);
    writer.WriteBlock(block.data(), 100);
    writer.WriteU8(1);
    writer.WriteBlock(block.data(), 10); // 7 fill the buffer, 3 follow after a flush
    writer.WriteBlock(block.data(), 3);
    EXPECT_EQ(writer.Tell(), 114);
    const Bytes written = writer.Written();
    EXPECT_EQ(written.size(), 114u);
    EXPECT_EQ(writer.Writes(), (std::vector<int32_t>{100, 8, 6}));
}

TEST(ArchiveBase, CountedStringCutToLongest)
{
    SizedVectorArchive reader(kSmallBuffer);
    reader.OpenRead({10, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'Z'});
    XAString s;
    EXPECT_EQ(reader.ReadString(s, 4), 4);
    EXPECT_EQ(Text(s), "abcd");
    EXPECT_EQ(reader.Tell(), 11);
    EXPECT_EQ(reader.ReadU8(), 'Z');
    EXPECT_FALSE(reader.HasError());
}

TEST(ArchiveBase, VersionChecks)
{
    struct Case
    {
        Bytes block;
        int32_t newest;
        int32_t oldest;
        bool ok;
        const char* message;
        int32_t stored;
    };
    const Case cases[] = {
        {{2, 2}, 1, 0, false, "Can not handle incompatible (newer) format! (get software update)", 2},
        {{0, 0}, 3, 1, false, "Can not handle incompatible (old) format!", 0},
        {{2, 1}, 1, 0, true, "", 2},
        {{3, 1}, 3, 1, true, "", 3},
        {{5, 3}, 3, 1, true, "", 5},
    };
    for (const auto& c : cases) {
        VectorArchive reader(kSmallBuffer);
        reader.OpenRead(c.block);
        int32_t stored = -1;
        EXPECT_EQ(reader.ReadVersion(c.newest, c.oldest, stored), c.ok);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(Text(reader.Status().ErrorText()), c.message);

        VectorArchive nested(kSmallBuffer);
        nested.OpenRead(c.block);
        stored = -1;
        EXPECT_EQ(nested.ReadVersion2(c.newest, c.oldest, stored), c.ok);
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(nested.StoredVersion2(), c.stored);
    }
}

TEST(ArchiveBase, OnlyTheFirstVersionCheckLooksAtTheStatus)
{
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead({1, 0, 1, 0});
    reader.Status().SetError("earlier", 0);
    EXPECT_FALSE(reader.CheckVersion(1, 0));
    EXPECT_TRUE(reader.CheckVersion2(1, 0));
}

TEST(ArchiveBase, FirstErrorStays)
{
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead({0, 0});
    EXPECT_FALSE(reader.CheckVersion(5, 1));
    reader.ReadI64();
    EXPECT_EQ(Text(reader.Status().ErrorText()), "Can not handle incompatible (old) format!");
}

TEST(ArchiveBase, ReadCountMinMaxTakesAndSkips)
{
    Bytes stream(12);
    for (size_t i = 0; i < stream.size(); ++i)
        stream[i] = static_cast<uint8_t>(i);
    for (const bool strict : {false, true}) {
        VectorArchive reader(kSmallBuffer);
        reader.OpenRead(stream);
        uint8_t out[4] = {};
        EXPECT_EQ(reader.ReadCountMinMax(out, 10, 0, 4, strict), 4);
        EXPECT_EQ(out[3], 3);
        EXPECT_EQ(reader.Tell(), 10);
        EXPECT_EQ(reader.ReadU8(), 10);
        EXPECT_EQ(Text(reader.Status().ErrorText()),
                  strict ? "LArchiveBase::ReadCountMinMax: 10 bytes available, but max 4 bytes expected!"
                         : "");
    }
    VectorArchive reader(kSmallBuffer);
    reader.OpenRead(stream);
    EXPECT_EQ(reader.ReadCountMinMax(nullptr, 3, 5, 5, false), 0);
    EXPECT_EQ(Text(reader.Status().ErrorText()),
              "LArchiveBase::ReadCountMinMax: 3 bytes available, but min 5 bytes required!");
    EXPECT_EQ(reader.Tell(), 3);
}

TEST(ArchiveBase, HostileCountsFailWithoutAllocating)
{
    // A count of 2^31 - 1 in five bytes over a stream of a few bytes.
    const Bytes huge = {0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    SizedVectorArchive reader(kSmallBuffer);
    reader.OpenRead(huge);
    XAString s("old");
    EXPECT_EQ(reader.ReadString(s, INT32_MAX), 0);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(Text(reader.Status().ErrorText()), "End of file!");
    EXPECT_EQ(reader.Tell(), 7);

    SizedVectorArchive astring(kSmallBuffer);
    astring.OpenRead({'a', 'b'});
    EXPECT_TRUE(astring.ReadAString(INT32_MAX).IsEmpty());
    EXPECT_EQ(Text(astring.Status().ErrorText()), "End of file!");

    SizedVectorArchive negative(kSmallBuffer);
    negative.OpenRead({0xFF, 0xFF, 0xFF, 0xFF, 0xFB, 'a'});
    EXPECT_EQ(negative.ReadString(s, 10), 0);
    EXPECT_EQ(Text(negative.Status().ErrorText()),
              "LArchiveBase::ReadCountMinMax: -5 bytes available, but min 0 bytes required!");
    EXPECT_EQ(negative.ReadU8(), 'a');

    SizedVectorArchive negativeAString(kSmallBuffer);
    negativeAString.OpenRead({'a'});
    EXPECT_TRUE(negativeAString.ReadAString(-2).IsEmpty());
    EXPECT_EQ(Text(negativeAString.Status().ErrorText()),
              "LArchiveBase::ReadCountMinMax: -2 bytes available, but min 0 bytes required!");
}

TEST(ArchiveBase, ReadAStringReadsExactlyAndNothingAfterAnError)
{
    SizedVectorArchive reader(kSmallBuffer);
    reader.OpenRead({'h', 'e', 'l', 'l', 'o', '!', '!', '!', '!', '!', '!', '!', 'x'});
    EXPECT_EQ(Text(reader.ReadAString(12)), "hello!!!!!!!");
    EXPECT_TRUE(reader.ReadAString(0).IsEmpty());
    reader.Status().SetError("stop", 0);
    EXPECT_TRUE(reader.ReadAString(1).IsEmpty());
    EXPECT_EQ(reader.Tell(), 12);
}

TEST(ArchiveBase, UnsupportedOperationsAndClosedArchives)
{
    VectorArchive archive(kSmallBuffer);
    EXPECT_EQ(archive.GetFileSize(), 0);
    EXPECT_EQ(Text(archive.Status().ErrorText()), "LArchiveBase::GetFileSize () unsupported!");
    archive.Reset();
    EXPECT_FALSE(archive.HasError());
    EXPECT_EQ(archive.SeekRel(5), 0);
    EXPECT_EQ(Text(archive.Status().ErrorText()), "LArchiveBase::SeekRel () unsupported!");

    VectorArchive closed(kSmallBuffer);
    closed.WriteI32(1);
    EXPECT_EQ(Text(closed.Status().ErrorText()), "Archive not open for writing!");
    VectorArchive closedReader(kSmallBuffer);
    EXPECT_EQ(closedReader.ReadI32(), 0);
    EXPECT_EQ(Text(closedReader.Status().ErrorText()), "Archive not open for reading!");
}

TEST(ArchiveBase, TellAndSetPosition)
{
    VectorArchive writer(kSmallBuffer);
    writer.OpenWrite();
    writer.WriteI32(7);
    EXPECT_EQ(writer.Tell(), 4);
    writer.SetPosition(100);
    EXPECT_EQ(writer.Tell(), 100);
    writer.WriteI64(1);
    EXPECT_EQ(writer.Tell(), 108);

    VectorArchive reader(kSmallBuffer);
    reader.OpenRead(Bytes(20, 0));
    reader.ReadU8();
    EXPECT_EQ(reader.Tell(), 1);
    EXPECT_EQ(reader.BufferedBytes(), 7);
    EXPECT_EQ(reader.Seek(1), 1);
    reader.DropReadBuffer();
    EXPECT_EQ(reader.Tell(), 8);
}

} // namespace
