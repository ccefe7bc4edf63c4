#include "show/vorbis_setup_check.h"

#include <vorbis/vorbisenc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bits as Vorbis packs them: each value from its least significant bit on.
class VorbisBitWriter
{
  public:
    void Put(uint64_t value, int count)
    {
        for (int i = 0; i < count; ++i, ++bits_) {
            if (bits_ % 8 == 0)
                bytes_.push_back(0);
            bytes_.back() |= static_cast<uint8_t>((value >> i & 1) << (bits_ % 8));
        }
    }
    std::vector<uint8_t> Bytes() const { return bytes_; }

  private:
    std::vector<uint8_t> bytes_;
    int64_t bits_ = 0;
};

struct Book
{
    int dimensions;
    std::vector<int> lengths; // 0 = unused entry
    int lookup = 0;           // 0 none, 1 implicit, 2 explicit
};

// Explicit: one per entry and dimension; implicit: the greatest v with v^dimensions <= entries.
int ValueCount(const Book& book)
{
    const int entries = static_cast<int>(book.lengths.size());
    if (book.lookup == 2 || book.dimensions == 0)
        return entries * book.dimensions;
    const auto power = [&](int v) {
        int64_t p = 1;
        for (int i = 0; i < book.dimensions; ++i)
            p *= v;
        return p;
    };
    int v = 1;
    while (power(v + 1) <= entries)
        ++v;
    return v;
}

// A setup header that holds these codebooks (what follows them is not read).
std::vector<uint8_t> SetupWith(const std::vector<Book>& books)
{
    VorbisBitWriter bits;
    for (const char c : std::string("\x05vorbis"))
        bits.Put(static_cast<uint8_t>(c), 8);
    bits.Put(books.size() - 1, 8);
    for (const Book& book : books) {
        bits.Put(0x564342, 24);
        bits.Put(book.dimensions, 16);
        bits.Put(book.lengths.size(), 24);
        bits.Put(0, 1); // unordered
        bits.Put(1, 1); // sparse
        for (const int length : book.lengths) {
            bits.Put(length > 0, 1);
            if (length > 0)
                bits.Put(length - 1, 5);
        }
        bits.Put(book.lookup, 4);
        if (book.lookup != 0) {
            constexpr int kValueBits = 4;
            bits.Put(0, 32);
            bits.Put(0, 32);
            bits.Put(kValueBits - 1, 4);
            bits.Put(0, 1);
            bits.Put(0, ValueCount(book) * kValueBits);
        }
    }
    bits.Put(0, 64); // time, floors, residues, ... as far as anyone reads here
    return bits.Bytes();
}

// The setup header the project's encoder writes.
std::vector<uint8_t> EncoderSetupHeader()
{
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, 8000, 0.4f);
    vorbis_comment_init(&comment);
    vorbis_analysis_init(&dsp, &info);
    ogg_packet id;
    ogg_packet comments;
    ogg_packet setup;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &setup);
    std::vector<uint8_t> bytes(setup.packet, setup.packet + setup.bytes);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return bytes;
}

std::string CheckText(const std::vector<uint8_t>& packet)
{
    return CheckVorbisSetupHeader(packet.data(), packet.size()).ErrorText().CStr();
}

TEST(VorbisSetupCheck, BooksTheLibraryCanBuildPass)
{
    const std::vector<Book> fine[] = {
        {{1, {1, 2, 2}}},
        {{1, {1}}},                    // one codeword of one bit: the library's single exception
        {{1, {1, 0, 0, 2, 2}}},        // unused entries take no codeword
        {{2, {2, 2, 2, 2}, 1}},        // implicit values, two per dimension
        {{1, {1, 1}, 2}, {0, {1, 1}}}, // no dimensions is fine without values
        {{1, {0, 0}}},                 // no entry used: no tree to build
    };
    for (const auto& books : fine) {
        EXPECT_EQ(CheckText(SetupWith(books)), "") << books.size() << " books";
    }
    EXPECT_EQ(CheckText(EncoderSetupHeader()), "");
}

TEST(VorbisSetupCheck, BooksTheLibraryCannotSurviveAreNamed)
{
    const std::string noTree = "has codeword lengths that make no complete code!";
    const std::string noDimensions = "has values but no dimensions!";
    struct Case
    {
        std::vector<Book> books;
        std::string text;
    };
    const Case cases[] = {
        {{{1, {1, 1, 1}}}, "Ogg Vorbis codebook 0 " + noTree},       // overfull
        {{{1, {1, 2}}}, "Ogg Vorbis codebook 0 " + noTree},          // a branch left empty
        {{{1, {2}}}, "Ogg Vorbis codebook 0 " + noTree},             // one codeword, but of two bits
        {{{1, {1, 1}}, {1, {2, 2}}}, "Ogg Vorbis codebook 1 " + noTree},
        {{{0, {1, 1}, 1}}, "Ogg Vorbis codebook 0 " + noDimensions}, // the library would loop forever
        {{{1, {1, 1}}, {0, {1, 1}, 2}}, "Ogg Vorbis codebook 1 " + noDimensions}, // would divide by 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckText(SetupWith(c.books)), c.text);
    }
}

TEST(VorbisSetupCheck, AHeaderCutShortInItsBooksIsRefused)
{
    const auto whole = EncoderSetupHeader();
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + whole.size() / 4);
    EXPECT_NE(CheckText(cut).find("setup header ends inside codebook"), std::string::npos);
    const std::vector<uint8_t> noBooks(whole.begin(), whole.begin() + 7);
    EXPECT_EQ(CheckText(noBooks), "Ogg Vorbis setup header ends inside codebook 0!");
}

TEST(VorbisSetupCheck, OnlySetupHeadersAreJudged)
{
    const std::vector<uint8_t> overfull = SetupWith({{1, {1, 1, 1}}});
    auto identification = overfull;
    identification[0] = 1;
    auto notVorbis = overfull;
    notVorbis[3] = 'X';
    EXPECT_TRUE(IsVorbisSetupHeader(overfull.data(), overfull.size()));
    for (const auto& packet : {identification, notVorbis, std::vector<uint8_t>(overfull.begin(), overfull.begin() + 6)}) {
        EXPECT_FALSE(IsVorbisSetupHeader(packet.data(), packet.size()));
        EXPECT_EQ(CheckText(packet), "");
    }
}

} // namespace
