#include "foundation/archives/test_support/bit_test_bytes.h"
#include "foundation/archives/huff_histo.h"
#include "foundation/archives/huff_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

LHuffHisto Histogram(int32_t min, int32_t max, const std::map<int32_t, int64_t>& counts)
{
    LHuffHisto h;
    EXPECT_TRUE(h.SetRange(min, max));
    for (const auto& [symbol, count] : counts)
        EXPECT_TRUE(h.Add(symbol, count));
    return h;
}

std::string CodeOf(LHuffTable& table, int32_t symbol)
{
    VectorBitArchive bits;
    EXPECT_TRUE(table.Encode(symbol, bits));
    bits.WriteBits(1, 1); // an end marker, so the code's length shows
    bits.Flush();
    std::string code;
    for (uint8_t byte : bits.Bytes())
        for (int i = 7; i >= 0; --i)
            code += (byte >> i & 1) ? '1' : '0';
    code.erase(code.find_last_of('1'));
    return code;
}

void ExpectCodes(const std::map<int32_t, int64_t>& counts, const std::map<int32_t, std::string>& codes)
{
    LHuffTable table;
    ASSERT_TRUE(table.Build(Histogram(counts.begin()->first, counts.rbegin()->first, counts)));
    ASSERT_TRUE(table.PrepareEncode());
    for (const auto& [symbol, code] : codes)
        EXPECT_EQ(CodeOf(table, symbol), code) << symbol;
}

} // namespace

TEST(HuffHisto, CountsWithinItsRange)
{
    LHuffHisto h;
    EXPECT_FALSE(h.Add(1));
    EXPECT_FALSE(h.SetRange(3, 2));
    ASSERT_TRUE(h.SetRange(-2, 2));
    EXPECT_EQ(h.Size(), 5);
    EXPECT_TRUE(h.Add(-2, 3));
    EXPECT_TRUE(h.Add(-2));
    EXPECT_TRUE(h.Add(1, 0));
    EXPECT_TRUE(h.Add(1, -5));
    EXPECT_FALSE(h.Add(3));
    EXPECT_EQ(h.Get(-2), 4);
    EXPECT_EQ(h.Get(7), 0);
    EXPECT_EQ(h.Used(), 1);
    EXPECT_EQ(h.Total(), 4);
    EXPECT_TRUE(h.Add(2, int64_t(1) << 40));
    EXPECT_EQ(h.Total(), (int64_t(1) << 40) + 4);
}

// Counts land where their symbol is, at both ends of any range and on both sides of every
// boundary of the storage behind it, and the rest of a wide range reads 0.
TEST(HuffHisto, WideRangesCountEverySymbolApart)
{
    struct Case
    {
        int32_t min, max;
        std::vector<int32_t> symbols;
    };
    const Case cases[] = {
        {0, 0xFFFF, {0, 4095, 4096, 4097, 8191, 0xFFFF}},
        {-0xFFFF, 0xFFFF, {-0xFFFF, -0xF000, -0xEFFF, -1, 0, 1, 0xFFFF}},
        {0, 0xFFFFFF, {0, 0x123456, 0xFFFFFE, 0xFFFFFF}},
        {INT32_MIN, INT32_MAX, {INT32_MIN, INT32_MIN + 4095, INT32_MIN + 4096, -1, 0, INT32_MAX}},
    };
    for (const Case& c : cases) {
        LHuffHisto h;
        ASSERT_TRUE(h.SetRange(c.min, c.max)) << c.min;
        EXPECT_EQ(h.Size(), int64_t(c.max) - c.min + 1);
        for (size_t i = 0; i < c.symbols.size(); ++i)
            EXPECT_TRUE(h.Add(c.symbols[i], int64_t(i) + 1));
        for (size_t i = 0; i < c.symbols.size(); ++i)
            EXPECT_EQ(h.Get(c.symbols[i]), int64_t(i) + 1) << c.symbols[i];
        EXPECT_EQ(h.Get(c.min + 2), 0);
        EXPECT_EQ(h.Get(c.max - 2), 0);
        EXPECT_EQ(h.UsedSymbols(), c.symbols);
        EXPECT_EQ(h.Total(), int64_t(c.symbols.size() * (c.symbols.size() + 1) / 2));
    }
}

TEST(HuffTable, TheStoredExampleTable)
{
    LHuffTable table;
    ASSERT_TRUE(table.Build(Histogram(5, 7, {{5, 10}, {6, 1}, {7, 1}})));
    EXPECT_EQ(table.NodeCount(), 5);
    EXPECT_EQ(table.Width(), 2);
    EXPECT_EQ(table.Depth(), 2);
    VectorBitArchive bits;
    ASSERT_TRUE(table.Write(bits));
    bits.Flush();
    EXPECT_EQ(bits.Bytes(), BitStringBytes("00010 11 | 00000 00000 | 00100 0101 | 00010 | 10 |"
                                           "00000000000000000000000000000101 | 1 0 00 1 0 01 0 10"));
    EXPECT_EQ(bits.Bytes().size(), 10u); // 76 bits

    LHuffTable read;
    VectorBitArchive reader(bits.Bytes());
    ASSERT_TRUE(read.Read(reader));
    EXPECT_EQ(read.Used(), 3);
    EXPECT_EQ(read.Min(), 5);
    EXPECT_EQ(read.Max(), 7);
    for (const char* code : {"0", "10", "11"}) {
        VectorBitArchive stream(BitStringBytes(code));
        int32_t symbol = 0;
        EXPECT_TRUE(read.Decode(symbol, stream));
        EXPECT_EQ(stream.BitPosition(), int64_t(std::string(code).size()));
        EXPECT_EQ(symbol, code[0] == '0' ? 5 : (code[1] == '0' ? 6 : 7));
    }
    ExpectCodes({{5, 10}, {6, 1}, {7, 1}}, {{5, "0"}, {6, "10"}, {7, "11"}});
}

TEST(HuffTable, TiesFollowTheListOrder)
{
    ExpectCodes({{1, 1}, {2, 1}}, {{1, "0"}, {2, "1"}});
    // A new node goes before leaves of the same count with a higher key ...
    ExpectCodes({{1, 1}, {2, 1}, {3, 2}}, {{1, "00"}, {2, "01"}, {3, "1"}});
    // ... and after those with a lower one.
    ExpectCodes({{-3, 2}, {-2, 1}, {-1, 1}}, {{-3, "0"}, {-2, "10"}, {-1, "11"}});
    // A new inner node goes before an equal one.
    ExpectCodes({{1, 1}, {2, 1}, {3, 1}, {4, 1}}, {{1, "00"}, {2, "01"}, {3, "10"}, {4, "11"}});
}

TEST(HuffTable, OneSymbolMovesNoBits)
{
    LHuffTable table;
    ASSERT_TRUE(table.Build(Histogram(-4, 4, {{3, 9}})));
    ASSERT_TRUE(table.PrepareEncode());
    EXPECT_EQ(table.Depth(), 0);
    VectorBitArchive bits;
    EXPECT_TRUE(table.Encode(3, bits));
    bits.Flush();
    EXPECT_TRUE(bits.Bytes().empty());
    int32_t symbol = 0;
    VectorBitArchive reader({0xFF});
    EXPECT_TRUE(table.Decode(symbol, reader));
    EXPECT_EQ(symbol, 3);
    EXPECT_EQ(reader.BitPosition(), 0);
}

TEST(HuffTable, EmptyHistogram)
{
    LHuffTable table;
    EXPECT_FALSE(table.Build(LHuffHisto()));

    ASSERT_TRUE(table.Build(Histogram(0, 10, {})));
    EXPECT_FALSE(table.HasNodes());
    EXPECT_TRUE(table.PrepareEncode());
    VectorBitArchive bits;
    int32_t symbol = 5;
    EXPECT_FALSE(table.Decode(symbol, bits));
    EXPECT_EQ(symbol, 0);
    EXPECT_EQ(bits.Status().ErrorText(), "Decoding Error (2480)");

    VectorBitArchive written;
    EXPECT_TRUE(table.Write(written));
    written.Flush();
    EXPECT_EQ(written.Bytes(), std::vector<uint8_t>{0});
    VectorBitArchive reader(written.Bytes());
    EXPECT_TRUE(table.Read(reader));
    EXPECT_FALSE(table.HasNodes());
}

TEST(HuffTable, EncodeErrors)
{
    LHuffTable table;
    ASSERT_TRUE(table.Build(Histogram(0, 3, {{0, 1}, {2, 1}})));
    VectorBitArchive unprepared;
    EXPECT_FALSE(table.Encode(0, unprepared));
    ASSERT_TRUE(table.PrepareEncode());
    VectorBitArchive bits;
    EXPECT_FALSE(table.Encode(1, bits));
    EXPECT_EQ(bits.Status().ErrorText(), "Encoding Error (3481)");
    EXPECT_FALSE(LHuffTable().PrepareEncode());
}

TEST(HuffTable, RandomTablesRoundTrip)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const int32_t min = int32_t(random() % 2000) - 1000;
        const int32_t max = min + int32_t(random() % 300);
        LHuffHisto h;
        ASSERT_TRUE(h.SetRange(min, max));
        std::vector<int32_t> symbols;
        const int used = 1 + int(random() % 60);
        for (int i = 0; i < used; ++i) {
            const int32_t s = min + int32_t(random() % uint32_t(max - min + 1));
            // Skewed counts give deep trees.
            h.Add(s, int64_t(1) << (random() % 40));
            symbols.push_back(s);
        }
        LHuffTable built;
        ASSERT_TRUE(built.Build(h));
        ASSERT_TRUE(built.PrepareEncode());
        VectorBitArchive bits;
        ASSERT_TRUE(built.Write(bits));
        for (int32_t s : symbols)
            ASSERT_TRUE(built.Encode(s, bits));
        bits.Flush();

        for (bool fast : {true, false}) {
            VectorBitArchive reader(bits.Bytes());
            LHuffTable read;
            ASSERT_TRUE(read.Read(reader));
            for (int32_t s : symbols) {
                int32_t decoded = 0;
                const bool ok = fast ? read.Decode(decoded, reader)
                                     : read.Decode(decoded, static_cast<LBitArchive&>(reader));
                ASSERT_TRUE(ok);
                ASSERT_EQ(decoded, s);
            }
            EXPECT_LT(reader.BitsLeft(), 8); // only the padding is left
        }
    }
}

namespace {
// A serialised table from its parts; the tree as a bit string.
std::vector<uint8_t> TableBits(uint32_t used, int32_t min, uint32_t width, uint32_t range, uint32_t nodes,
                               const std::string& tree)
{
    VectorBitArchive bits;
    bits.WriteUnsignedPrefixed(used);
    bits.WriteVersion(0, 0);
    bits.WriteSignedPrefixed(min);
    bits.WriteBits(width, 5);
    bits.WriteBits(range, int32_t(width));
    bits.WriteBits(nodes, 32);
    for (char c : tree)
        if (c == '0' || c == '1')
            bits.WriteBits(c == '1', 1);
    bits.Flush();
    return bits.Bytes();
}

std::string ReadError(const std::vector<uint8_t>& bytes)
{
    VectorBitArchive reader(bytes);
    LHuffTable table;
    EXPECT_FALSE(table.Read(reader));
    EXPECT_FALSE(table.HasNodes());
    return reader.Status().ErrorText().CStr();
}
} // namespace

TEST(HuffTable, HostileTablesAreRefused)
{
    // More nodes than a tree of that many leaves can have.
    EXPECT_EQ(ReadError(TableBits(2, 0, 1, 1, 4, "1 0 0 0 1")), "Invalid Huffman table!");
    // More nodes than bits left.
    EXPECT_EQ(ReadError(TableBits(0x40000000, 0, 1, 1, 0x7FFFFFFF, "1 0 0 0 1")), "Invalid Huffman table!");
    // A leaf beyond the maximum.
    EXPECT_EQ(ReadError(TableBits(2, 0, 2, 1, 3, "1 0 00 0 11")), "Invalid Huffman table!");
    // A maximum beyond 32 bits.
    EXPECT_EQ(ReadError(TableBits(2, (1 << 30) - 1, 31, 0x7FFFFFFF, 3, "1 0 0 0 1")),
              "Invalid Huffman table!");
    // A tree with more nodes than announced.
    EXPECT_EQ(ReadError(TableBits(3, 0, 2, 2, 3, "1 0 00 1 0 01 0 10")), "Out of memory!");
    // A tree that runs past the data.
    VectorBitArchive cut(TableBits(3, 0, 2, 2, 5, "1 0 00 1"));
    LHuffTable table;
    EXPECT_TRUE(table.Read(cut)); // the source reads zeros: leaves of symbol 0
    EXPECT_EQ(table.NodeCount(), 5);
}

TEST(HuffTable, DeepTreesAreReadWithoutRecursion)
{
    // A chain: every inner node has a leaf on the left.
    const int leaves = 60000;
    std::string tree;
    for (int i = 0; i < leaves - 1; ++i)
        tree += "1 0" + std::string(16, '0');
    tree += "0" + std::string(16, '0');
    LHuffTable table;
    VectorBitArchive reader(TableBits(leaves, 0, 16, 0xFFFF, 2 * leaves - 1, tree));
    ASSERT_TRUE(table.Read(reader));
    EXPECT_EQ(table.Depth(), leaves - 1);
    VectorBitArchive written;
    ASSERT_TRUE(table.Write(written));
    written.Flush();
    EXPECT_EQ(written.Bytes(), TableBits(leaves, 0, 16, 0xFFFF, 2 * leaves - 1, tree));
}

TEST(HuffTable, CodesLongerAndShorterThanOneWriteRoundTrip)
{
    // Fibonacci counts make a tree of one leaf per level: codes of 1 to 44 bits, on both sides
    // of the 32 bits that one write of a code can hold. Written one after the other they
    // decode back in order, and each has the length its level gives.
    constexpr int32_t kSymbols = 45;
    std::map<int32_t, int64_t> counts;
    int64_t a = 1;
    int64_t b = 1;
    for (int32_t s = 0; s < kSymbols; ++s) {
        counts[s] = a;
        const int64_t next = a + b;
        a = b;
        b = next;
    }
    LHuffTable table;
    ASSERT_TRUE(table.Build(Histogram(0, kSymbols - 1, counts)));
    ASSERT_TRUE(table.PrepareEncode());
    ASSERT_EQ(table.Depth(), kSymbols - 1);
    for (int32_t s = 0; s < kSymbols; ++s)
        EXPECT_EQ(CodeOf(table, s).size(), static_cast<size_t>(s < 2 ? kSymbols - 1 : kSymbols - s)) << s;

    VectorBitArchive out;
    std::mt19937 random(7);
    std::vector<int32_t> written;
    for (int32_t i = 0; i < 500; ++i) {
        written.push_back(static_cast<int32_t>(random() % kSymbols));
        ASSERT_TRUE(table.Encode(written.back(), out));
    }
    out.Flush();
    VectorBitArchive in(out.Bytes());
    for (size_t i = 0; i < written.size(); ++i) {
        int32_t symbol = -1;
        ASSERT_TRUE(table.Decode(symbol, in));
        ASSERT_EQ(symbol, written[i]) << i;
    }
}

TEST(HuffTable, NarrowAndWideSymbolRangesEncodeAlike)
{
    // A narrow range is looked up directly, a range of millions of symbols searched: the same
    // counts give the same codes, and symbols without a leaf (a hole, below, above) fail alike.
    const std::map<int32_t, int64_t> counts = {{-7, 5}, {-3, 1}, {0, 9}, {4, 2}, {9, 3}};
    LHuffTable narrow;
    ASSERT_TRUE(narrow.Build(Histogram(-10, 10, counts)));
    ASSERT_TRUE(narrow.PrepareEncode());
    LHuffTable wide;
    ASSERT_TRUE(wide.Build(Histogram(-(1 << 22), 1 << 22, counts)));
    ASSERT_TRUE(wide.PrepareEncode());
    for (const auto& [symbol, count] : counts)
        EXPECT_EQ(CodeOf(narrow, symbol), CodeOf(wide, symbol)) << symbol;
    for (const int32_t absent : {-11, -10, 1, 10, 11, INT32_MIN, INT32_MAX}) {
        VectorBitArchive a;
        VectorBitArchive b;
        EXPECT_FALSE(narrow.Encode(absent, a)) << absent;
        EXPECT_FALSE(wide.Encode(absent, b)) << absent;
        EXPECT_EQ(a.Status().ErrorText(), "Encoding Error (3481)") << absent;
        EXPECT_EQ(b.Status().ErrorText(), "Encoding Error (3481)") << absent;
    }
}
