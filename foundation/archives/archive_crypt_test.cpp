#include "foundation/archives/archive_crypt.h"

#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"

#include <gcrypt.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint64_t kStart = 0x01D9A1B2C3D4E5F6; // some FILETIME in 2023
constexpr size_t kPrefix = 64;
constexpr size_t kDataAt = 96;

// The format as its description gives it, computed with libgcrypt's IDEA: the fixed key's
// bytes taken as little-endian words, which libgcrypt wants as big-endian byte pairs.
class FormatModel
{
  public:
    FormatModel()
    {
        const uint8_t key[16] = {0x7C, 0x1E, 0x5A, 0x93, 0xD0, 0x48, 0x6B, 0x2F,
                                 0xE4, 0x31, 0x9A, 0x77, 0x05, 0xC2, 0xB8, 0xD6};
        uint8_t swapped[16];
        for (int i = 0; i < 16; i += 2) {
            swapped[i] = key[i + 1];
            swapped[i + 1] = key[i];
        }
        gcry_check_version(nullptr);
        gcry_cipher_open(&handle_, GCRY_CIPHER_IDEA, GCRY_CIPHER_MODE_ECB, 0);
        gcry_cipher_setkey(handle_, swapped, sizeof swapped);
    }
    ~FormatModel() { gcry_cipher_close(handle_); }

    // Units offset by counters from `counter` on, then enciphered one by one.
    Bytes Encipher(Bytes plain, uint64_t counter) const
    {
        plain.resize((plain.size() + 7) / 8 * 8, 0);
        for (size_t at = 0; at < plain.size(); at += 8, counter += 8) {
            uint64_t p = 0;
            for (int i = 0; i < 8; ++i)
                p = p << 8 | plain[at + static_cast<size_t>(i)];
            p += counter;
            for (int i = 7; i >= 0; --i, p >>= 8)
                plain[at + static_cast<size_t>(i)] = static_cast<uint8_t>(p);
            gcry_cipher_encrypt(handle_, plain.data() + at, 8, nullptr, 0);
        }
        return plain;
    }

    static Bytes Header(uint64_t length, int32_t version = 0, int32_t minimumReader = 0)
    {
        Bytes h(32, 0);
        Put(length, 8, h, 8);
        Put(static_cast<uint32_t>(version), 4, h, 16);
        Put(static_cast<uint32_t>(minimumReader), 4, h, 20);
        Put(crc32(0, h.data(), 28), 4, h, 28);
        return h;
    }

    // The raw stream of a stream with these data bytes and start value over an empty raw archive.
    Bytes Stream(const Bytes& data, uint64_t start, const Bytes& header) const
    {
        Bytes raw(kPrefix, 0);
        const Bytes h = Encipher(header, start);
        raw.insert(raw.end(), h.begin(), h.end());
        const Bytes d = Encipher(data, start + 32);
        raw.insert(raw.end(), d.begin(), d.end());
        return raw;
    }
    Bytes Stream(const Bytes& data, uint64_t start) const { return Stream(data, start, Header(data.size())); }

  private:
    static void Put(uint64_t v, int w, Bytes& to, size_t at)
    {
        for (int i = w - 1; i >= 0; --i, v >>= 8)
            to[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v);
    }

    gcry_cipher_hd_t handle_ = nullptr;
};

Bytes AsBytes(const XAString& s)
{
    return Bytes(s.CStr(), s.CStr() + s.Length());
}

Bytes Sequence(size_t n, uint8_t first = 1)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(first + i);
    return b;
}

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

// A memory archive that keeps its bytes when the layer closes it.
class KeptMemoryArchive : public LArchiveXString
{
  public:
    bool Close(bool force) override
    {
        if (IsWriter())
            kept = AsBytes(TakeString());
        return LArchiveXString::Close(force);
    }
    Bytes kept;
};

LArchiveCrypt::StartValueSource Fixed(uint64_t start)
{
    return [start] { return start; };
}

// Writes data as a new stream (or over an existing raw stream) and returns the raw bytes.
Bytes WriteStream(const Bytes& data, const Bytes& existing = {}, bool append = false, uint64_t start = kStart,
                  int32_t ioBuffer = LArchiveCrypt::kIoBufferBytes)
{
    KeptMemoryArchive raw;
    EXPECT_TRUE(raw.OpenWrite(0));
    raw.WriteBlock(existing.data(), static_cast<int32_t>(existing.size()));
    raw.Seek(0);
    LArchiveCrypt crypt(ioBuffer);
    crypt.SetStartValueSource(Fixed(start));
    EXPECT_TRUE(crypt.Attach(raw, append));
    crypt.WriteBlock(data.data(), static_cast<int32_t>(data.size()));
    EXPECT_TRUE(crypt.Close(false));
    return raw.kept;
}

// Reads the whole data of a raw stream; the error text, if any, goes to `error`.
Bytes ReadStream(const Bytes& stream, std::string* error = nullptr)
{
    LArchiveXString raw;
    EXPECT_TRUE(raw.OpenReadMemory(stream.data(), static_cast<int32_t>(stream.size()), false));
    LArchiveCrypt crypt;
    Bytes data;
    if (crypt.Attach(raw, false)) {
        data.resize(static_cast<size_t>(crypt.GetFileSize()));
        crypt.ReadBlock(data.data(), static_cast<int32_t>(data.size()), static_cast<int32_t>(data.size()));
    }
    if (error)
        *error = Text(crypt.Status().ErrorText());
    crypt.Close(false);
    return data;
}

TEST(ArchiveCrypt, EmptyStreamIsPrefixAndHeader)
{
    const FormatModel model;
    const Bytes raw = WriteStream({});
    ASSERT_EQ(raw.size(), 96u);
    EXPECT_EQ(raw, model.Stream({}, kStart));
    std::string error;
    EXPECT_TRUE(ReadStream(raw, &error).empty());
    EXPECT_EQ(error, "");
}

TEST(ArchiveCrypt, TenBytesFillOneUnitAndAHalf)
{
    const FormatModel model;
    const Bytes data = Sequence(10);
    const Bytes raw = WriteStream(data);
    ASSERT_EQ(raw.size(), 112u);
    // The last six bytes of the second unit are enciphered zeros.
    EXPECT_EQ(raw, model.Stream(data, kStart));
    LArchiveXString source;
    ASSERT_TRUE(source.OpenReadMemory(raw.data(), static_cast<int32_t>(raw.size()), false));
    LArchiveCrypt crypt;
    ASSERT_TRUE(crypt.Attach(source, false));
    EXPECT_EQ(crypt.GetFileSize(), 10);
    EXPECT_EQ(crypt.StartValue(), kStart);
    EXPECT_EQ(ReadStream(raw), data);
}

TEST(ArchiveCrypt, ReadsStreamsOfTheModel)
{
    const FormatModel model;
    for (const size_t n : {1u, 7u, 8u, 9u, 1039u, 1040u, 1041u, 5000u}) {
        const Bytes data = Sequence(n, 3);
        const uint64_t start = ~static_cast<uint64_t>(0) - 20; // the counters wrap
        EXPECT_EQ(ReadStream(model.Stream(data, start)), data) << n;
        EXPECT_EQ(WriteStream(data, {}, false, start), model.Stream(data, start)) << n;
    }
}

TEST(ArchiveCrypt, TruncatedStreamsShrinkToWholeUnits)
{
    const FormatModel model;
    const Bytes full = model.Stream(Sequence(40), kStart);
    struct Case
    {
        size_t cut;
        size_t readable;
    };
    for (const Case c : {Case{100, 0}, Case{120, 24}, Case{136, 40}, Case{96, 0}}) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.cut));
        std::string error;
        EXPECT_EQ(ReadStream(cut, &error), Sequence(c.readable)) << c.cut;
        EXPECT_EQ(error, "") << c.cut;
    }
    std::string error;
    ReadStream(Bytes(full.begin(), full.begin() + 95), &error);
    EXPECT_EQ(error, "End of file!");
}

TEST(ArchiveCrypt, HeaderChecks)
{
    const FormatModel model;
    struct Case
    {
        Bytes header;
        const char* message;
    };
    Bytes badCrc = FormatModel::Header(8);
    badCrc[31] ^= 1;
    const Case cases[] = {
        {FormatModel::Header(8, 0, 1), "Can not handle incompatible (newer) format!"},
        {FormatModel::Header(8, -1, 0), "Can not handle incompatible (older) format!"},
        {FormatModel::Header(8, 7, 0), ""},
        {badCrc, "Invalid format!"},
    };
    for (const auto& c : cases) {
        std::string error;
        ReadStream(model.Stream(Sequence(8), kStart, c.header), &error);
        EXPECT_EQ(error, c.message);
    }
    // Any enciphered header byte altered.
    const Bytes good = model.Stream(Sequence(8), kStart);
    for (size_t at = 64; at < 96; ++at) {
        Bytes tampered = good;
        tampered[at] ^= 0x40;
        std::string error;
        EXPECT_TRUE(ReadStream(tampered, &error).empty());
        EXPECT_EQ(error, "Invalid format!") << at;
    }
}

TEST(ArchiveCrypt, RewritingInsideKeepsTheNeighbours)
{
    const Bytes data = Sequence(16);
    const Bytes stored = WriteStream(data);
    const Bytes patch = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4};

    KeptMemoryArchive raw;
    ASSERT_TRUE(raw.OpenWrite(0));
    raw.WriteBlock(stored.data(), static_cast<int32_t>(stored.size()));
    raw.Seek(0);
    LArchiveCrypt crypt;
    ASSERT_TRUE(crypt.Attach(raw, false));
    EXPECT_EQ(crypt.Seek(3), 3);
    crypt.WriteBlock(patch.data(), 5);
    EXPECT_TRUE(crypt.Close(false));

    Bytes expected = data;
    std::copy(patch.begin(), patch.end(), expected.begin() + 3);
    EXPECT_EQ(ReadStream(raw.kept), expected);

    // A patch that ends inside a unit keeps the unit's stored tail.
    KeptMemoryArchive raw2;
    ASSERT_TRUE(raw2.OpenWrite(0));
    raw2.WriteBlock(stored.data(), static_cast<int32_t>(stored.size()));
    raw2.Seek(0);
    ASSERT_TRUE(crypt.Attach(raw2, false));
    crypt.Seek(9);
    crypt.WriteBlock(patch.data(), 2);
    EXPECT_TRUE(crypt.Close(false));
    expected = data;
    expected[9] = 0xA0;
    expected[10] = 0xA1;
    EXPECT_EQ(ReadStream(raw2.kept), expected);
}

TEST(ArchiveCrypt, WriterWithoutAppendKeepsTheLength)
{
    const Bytes stored = WriteStream(Sequence(20));
    const Bytes raw = WriteStream({9, 9, 9, 9}, stored);
    Bytes expected = Sequence(20);
    std::fill(expected.begin(), expected.begin() + 4, 9);
    EXPECT_EQ(ReadStream(raw), expected);
}

TEST(ArchiveCrypt, WriterWithAppendStartsAtTheEnd)
{
    const Bytes stored = WriteStream(Sequence(13), {}, false, kStart);
    // The stream keeps its start value: the appended stream is the model's with the old S.
    const Bytes raw = WriteStream({0xEE, 0xEF}, stored, true, kStart + 12345);
    Bytes expected = Sequence(13);
    expected.push_back(0xEE);
    expected.push_back(0xEF);
    EXPECT_EQ(raw, FormatModel().Stream(expected, kStart));
}

TEST(ArchiveCrypt, WriterOverForeignBytesStartsAnew)
{
    // A plain prefix of 64 bytes and garbage behind it.
    Bytes existing(150, 0x5A);
    const Bytes raw = WriteStream(Sequence(3), existing);
    Bytes expected = FormatModel().Stream(Sequence(3), kStart);
    std::fill(expected.begin(), expected.begin() + 64, 0x5A);
    // The garbage after the new data stays: the raw archive is not truncated.
    expected.insert(expected.end(), existing.begin() + 104, existing.end());
    EXPECT_EQ(raw, expected);
}

TEST(ArchiveCrypt, ShortRawStreamIsPaddedToThePrefix)
{
    const Bytes raw = WriteStream(Sequence(2), {1, 2, 3});
    Bytes expected = FormatModel().Stream(Sequence(2), kStart);
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 3;
    EXPECT_EQ(raw, expected);
}

TEST(ArchiveCrypt, StreamsOfDifferentTimesDifferInEveryUnit)
{
    const Bytes data(64, 0);
    const Bytes a = WriteStream(data, {}, false, kStart);
    const Bytes b = WriteStream(data, {}, false, kStart + 1);
    ASSERT_EQ(a.size(), b.size());
    for (size_t at = 64; at < a.size(); at += 8)
        EXPECT_FALSE(std::equal(a.begin() + static_cast<std::ptrdiff_t>(at),
                                a.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                b.begin() + static_cast<std::ptrdiff_t>(at)))
            << at;
}

TEST(ArchiveCrypt, ReadsStopAtTheDataLength)
{
    const Bytes raw = WriteStream(Sequence(10));
    LArchiveXString source;
    ASSERT_TRUE(source.OpenReadMemory(raw.data(), static_cast<int32_t>(raw.size()), false));
    LArchiveCrypt crypt;
    ASSERT_TRUE(crypt.Attach(source, false));
    uint8_t out[16] = {};
    EXPECT_EQ(crypt.ReadBlock(out, 1, 16), 10);
    EXPECT_FALSE(crypt.HasError());
    EXPECT_EQ(crypt.ReadU8(), 0);
    EXPECT_EQ(Text(crypt.Status().ErrorText()), "End of file!");
}

TEST(ArchiveCrypt, SeeksAndSkips)
{
    const Bytes data = Sequence(3000);
    const Bytes raw = WriteStream(data);
    LArchiveXString source;
    ASSERT_TRUE(source.OpenReadMemory(raw.data(), static_cast<int32_t>(raw.size()), false));
    LArchiveCrypt crypt;
    ASSERT_TRUE(crypt.Attach(source, false));
    EXPECT_EQ(crypt.Seek(2500), 2500);
    EXPECT_EQ(crypt.ReadU8(), data[2500]);
    EXPECT_EQ(crypt.Seek(7), 7);
    EXPECT_EQ(crypt.ReadU8(), data[7]);
    EXPECT_EQ(crypt.Skip(1100, 1100), 1100);
    EXPECT_EQ(crypt.ReadU8(), data[1108]);
    // Negative targets are refused and change nothing.
    EXPECT_EQ(crypt.Seek(-1), 1109);
    EXPECT_EQ(Text(crypt.Status().ErrorText()), "LArchiveCrypt::Invalid seek position!");
    // Past the end is accepted; reading there finds the end.
    LArchiveCrypt again;
    ASSERT_TRUE(source.OpenReadMemory(raw.data(), static_cast<int32_t>(raw.size()), false));
    ASSERT_TRUE(again.Attach(source, false));
    EXPECT_EQ(again.Seek(4000), 4000);
    EXPECT_EQ(again.ReadU8(), 0);
    EXPECT_EQ(Text(again.Status().ErrorText()), "End of file!");
    EXPECT_EQ(again.Seek(10), 10);
    EXPECT_EQ(again.Skip(5000, 5000), 2990);
}

TEST(ArchiveCrypt, WritingPastTheEndFillsTheGapWithZeros)
{
    KeptMemoryArchive raw;
    ASSERT_TRUE(raw.OpenWrite(0));
    LArchiveCrypt crypt;
    crypt.SetStartValueSource(Fixed(kStart));
    ASSERT_TRUE(crypt.Attach(raw, false));
    crypt.WriteU8(0x11);
    EXPECT_EQ(crypt.Seek(21), 21);
    crypt.WriteU16(0x2233);
    EXPECT_EQ(crypt.GetFileSize(), 23);
    EXPECT_TRUE(crypt.Close(false));
    Bytes expected(23, 0);
    expected[0] = 0x11;
    expected[21] = 0x22;
    expected[22] = 0x33;
    EXPECT_EQ(raw.kept, FormatModel().Stream(expected, kStart));
}

TEST(ArchiveCrypt, AfterAWriteErrorTheHeaderStays)
{
    KeptMemoryArchive raw;
    ASSERT_TRUE(raw.OpenWrite(0));
    LArchiveCrypt crypt;
    crypt.SetStartValueSource(Fixed(kStart));
    ASSERT_TRUE(crypt.Attach(raw, false));
    crypt.WriteI32(5);
    crypt.Status().SetError("disk trouble", 0);
    EXPECT_FALSE(crypt.Close(false));
    // The header written at attach (data length 0) is all there is.
    EXPECT_EQ(raw.kept, FormatModel().Stream({}, kStart));
}

TEST(ArchiveCrypt, AttachNeedsAnOpenRawArchive)
{
    LArchiveXString raw;
    LArchiveCrypt crypt;
    EXPECT_FALSE(crypt.Attach(raw, false));
    EXPECT_EQ(Text(crypt.Status().ErrorText()), "RawArchive not valid!");
}

TEST(ArchiveCrypt, ModelOfRandomWritesSeeksAndReads)
{
    std::mt19937 random(77);
    for (const int32_t ioBuffer :
         {LArchiveCrypt::kSmallestIoBuffer, 24, 1024, LArchiveCrypt::kIoBufferBytes}) {
        for (int round = 0; round < 12; ++round) {
            Bytes model;
            KeptMemoryArchive raw;
            ASSERT_TRUE(raw.OpenWrite(0));
            LArchiveCrypt writer(ioBuffer);
            ASSERT_TRUE(writer.Attach(raw, false));
            int32_t position = 0;
            for (int op = 0; op < 60; ++op) {
                if (random() % 4 == 0) {
                    position = static_cast<int32_t>(random() % (model.size() + 40));
                    ASSERT_EQ(writer.Seek(position), position);
                    continue;
                }
                const Bytes chunk =
                    Sequence(random() % (random() % 3 == 0 ? 2100 : 20), static_cast<uint8_t>(random()));
                writer.WriteBlock(chunk.data(), static_cast<int32_t>(chunk.size()));
                if (chunk.empty())
                    continue;
                if (model.size() < position + chunk.size())
                    model.resize(position + chunk.size(), 0);
                std::copy(chunk.begin(), chunk.end(), model.begin() + position);
                position += static_cast<int32_t>(chunk.size());
            }
            ASSERT_TRUE(writer.Close(false));

            LArchiveXString source;
            ASSERT_TRUE(source.OpenReadMemory(raw.kept.data(), static_cast<int32_t>(raw.kept.size()), false));
            LArchiveCrypt reader(ioBuffer);
            ASSERT_TRUE(reader.Attach(source, false));
            ASSERT_EQ(reader.GetFileSize(), static_cast<int32_t>(model.size()));
            for (int op = 0; op < 40 && !model.empty(); ++op) {
                const int32_t at = static_cast<int32_t>(random() % model.size());
                const int32_t n = std::min<int32_t>(static_cast<int32_t>(random() % 1500),
                                                    static_cast<int32_t>(model.size()) - at);
                ASSERT_EQ(reader.Seek(at), at);
                Bytes out(static_cast<size_t>(n));
                ASSERT_EQ(reader.ReadBlock(out.data(), n, n), n);
                ASSERT_TRUE(std::equal(out.begin(), out.end(), model.begin() + at)) << ioBuffer << " " << at;
            }
            EXPECT_FALSE(reader.HasError()) << Text(reader.Status().ErrorText());
        }
    }
}

TEST(ArchiveCrypt, OverAFileWithAPlainPrefix)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("archive_crypt_test_" + std::to_string(::getpid()) + ".zyl");
    const Bytes prefix = Sequence(64, 100);
    const Bytes data = Sequence(2000, 7);
    {
        LArchiveFile file(path.c_str(), kArchiveFileCreate, true);
        file.WriteBlock(prefix.data(), 64);
        LArchiveCrypt crypt;
        crypt.SetStartValueSource(Fixed(kStart));
        ASSERT_TRUE(crypt.Attach(file, false));
        crypt.WriteBlock(data.data(), 2000);
        ASSERT_TRUE(crypt.Close(false));
    }
    Bytes expected = FormatModel().Stream(data, kStart);
    std::copy(prefix.begin(), prefix.end(), expected.begin());
    EXPECT_EQ(AsBytes(LoadFileToString(path.c_str())), expected);
    {
        LArchiveFile file(path.c_str(), kArchiveFileRead, true);
        EXPECT_EQ(file.ReadU8(), 100);
        LArchiveCrypt crypt;
        ASSERT_TRUE(crypt.Attach(file, false));
        Bytes out(2000);
        EXPECT_EQ(crypt.ReadBlock(out.data(), 2000, 2000), 2000);
        EXPECT_EQ(out, data);
        EXPECT_TRUE(crypt.Close(false));
    }
    std::filesystem::remove(path);
}

} // namespace
