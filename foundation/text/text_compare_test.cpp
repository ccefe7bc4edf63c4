#include "foundation/text/text_compare.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Fold(int c)
{
    return FoldChar(static_cast<unsigned char>(c));
}

TEST(CaseFold, MapsAsciiAndCodePagePairsOnly)
{
    for (int c = 0; c < 256; ++c) {
        const bool lowerAscii = c >= 'a' && c <= 'z';
        EXPECT_EQ(FoldCharAscii(static_cast<unsigned char>(c)), lowerAscii ? c - 0x20 : c) << c;
    }
    EXPECT_EQ(Fold('a'), 'A');
    EXPECT_EQ(Fold('z'), 'Z');
    EXPECT_EQ(Fold('A'), 'A');
    EXPECT_EQ(Fold(0x84), 0x8E);
    EXPECT_EQ(Fold(0x8E), 0x8E);
    EXPECT_EQ(Fold(0x87), 0x80);
    EXPECT_EQ(Fold(0xEC), 0xED);
    EXPECT_EQ(Fold(0xE1), 0xE1); // sharp s has no partner
    int changed = 0;
    for (int c = 0; c < 256; ++c) {
        if (Fold(c) != c) {
            ++changed;
            EXPECT_EQ(Fold(Fold(c)), Fold(c)) << "upper-case letters map to themselves: " << c;
        }
    }
    EXPECT_EQ(changed, 26 + 28);
}

TEST(StrEqual, NullCountsAsEmpty)
{
    EXPECT_TRUE(StrEqual(nullptr, ""));
    EXPECT_TRUE(StrEqual(nullptr, nullptr));
    EXPECT_TRUE(StrEqual("abc", "abc"));
    EXPECT_FALSE(StrEqual("abc", "ABC"));
    EXPECT_FALSE(StrEqual("ab", "abc"));
    EXPECT_FALSE(StrEqual(nullptr, "a"));
}

TEST(StrEqualNoCase, SystemFoldJoinsCodePagePairsAsciiFoldDoesNot)
{
    const char lower[] = {'x', '\x84', 0};
    const char upper[] = {'X', '\x8E', 0};
    EXPECT_TRUE(StrEqualNoCase(lower, upper));
    EXPECT_FALSE(StrEqualNoCaseAscii(lower, upper));
    EXPECT_TRUE(StrEqualNoCaseAscii("Shows", "sHOWS"));
    EXPECT_TRUE(StrEqualNoCase(nullptr, ""));
    EXPECT_FALSE(StrEqualNoCase("ab", "abc"));
    // Two different UTF-8 names ("ä" and "Ď" share the lead byte; 0x84 and 0x8E are their
    // continuation bytes) stay different as file names.
    EXPECT_FALSE(StrEqualNoCaseAscii("\xC3\x84", "\xC3\x8E"));
}

struct CompareCase
{
    const char* a;
    const char* b;
    int expected;
};

TEST(StrCompareNoCase, OrdersFoldedBytesUnsigned)
{
    const CompareCase cases[] = {
        {nullptr, nullptr, 0}, {nullptr, "", -1},  {"", nullptr, 1},  {"", "", 0},
        {"abc", "ABC", 0},     {"abc", "abd", -1}, {"ab", "abc", -1}, {"b", "A", 1},
        {"a", "\xE9", -1},     {"_", "a", 1}, // 'a' folds to 'A' (0x41), below '_' (0x5F)
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(StrCompareNoCase(c.a, c.b), c.expected)
            << (c.a ? c.a : "null") << " / " << (c.b ? c.b : "null");
        EXPECT_EQ(StrCompareNoCaseAscii(c.a, c.b), c.expected);
    }
    EXPECT_EQ(StrCompareNoCase("\x84", "\x8E"), 0);
    EXPECT_EQ(StrCompareNoCaseAscii("\x84", "\x8E"), -1);
}

TEST(StrCompareNatural, Table)
{
    const CompareCase cases[] = {
        {nullptr, nullptr, 0},
        {nullptr, "a", -1},
        {"a", nullptr, 1},
        {"file2", "file10", -1},
        {"file10", "file2", 1},
        {"file7", "file07", -1},
        {"file07", "file7", 1},
        {"FILE2", "file2", 0},
        {"#u_10", "#u_9", -1}, // both marked: plain order without case
        {"#U_10", "#u_9", -1},
        {"#u_10", "x9", -1},           // only one marked: natural order
        {"dir/#u_10", "dir/#u_9", -1}, // marker after a common separator
        {"dir\\#u_10", "DIR\\#U_9", -1},
        {"dir/a10", "dir/a9", 1},
        {"a1b", "a1c", -1},  // equal runs go on with the characters after them
        {"a7c", "a07b", -1}, // fewer digits first on equal values
        {"x", "x1", -1},
        {"x1", "x", 1},
        {"1", "a", -1},
        {"99999999999", "4294967296", 1}, // runs past 32 bits compare by value
        {"4294967296", "4294967297", -1},
        {"00000000000000000001", "2", -1},
        {"123456789012345678901234567890", "123456789012345678901234567891", -1},
        {"v1.10", "v1.9", 1},
        {"same", "same", 0},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(StrCompareNatural(c.a, c.b), c.expected)
            << (c.a ? c.a : "null") << " / " << (c.b ? c.b : "null");
    }
}

TEST(StrCompareNatural, FoldsAsciiOnly)
{
    EXPECT_NE(StrCompareNatural("\xC3\x84", "\xC3\x8E"), 0);
}

struct FindCase
{
    const char* text;
    const char* needle;
    int32_t start;
    int32_t expected;
};

TEST(FindNoCase, Table)
{
    const FindCase cases[] = {
        {"Hello World", "world", 0, 6},  {"Hello World", "WORLD", 6, 6}, {"Hello World", "world", 7, -1},
        {"Hello World", "o", -5, 4},     {"Hello World", "o", 5, 7},     {"Hello World", "", 0, -1},
        {"Hello World", nullptr, 0, -1}, {"Hello World", "d", 11, -1}, // start at the length
        {"Hello World", "d", 10, 10},    {"Hello", "lox", 0, -1},      // needle runs past the end
        {"x\x84y", "\x8E", 0, 1},
    };
    for (const FindCase& c : cases) {
        const int32_t length = static_cast<int32_t>(std::string(c.text).size());
        EXPECT_EQ(FindNoCase(c.text, length, c.needle, c.start), c.expected)
            << c.text << " / " << (c.needle ? c.needle : "null") << " from " << c.start;
    }
}

} // namespace
