#include "foundation/strings/char_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Forward(const std::string& text)
{
    std::string out(text.size(), '?');
    Recode8Forward(text.c_str(), out.data());
    return out;
}

std::string Reverse(const std::string& text)
{
    std::string out(text.size(), '?');
    Recode8Reverse(text.c_str(), out.data());
    return out;
}

} // namespace

TEST(CharTablesTest, OemToAnsiKnownEntries)
{
    struct Case
    {
        uint8_t oem, ansi;
    } cases[] = {
        {0x00, 0x00}, {0x41, 0x41}, {0x7F, 0x7F}, {0x80, 0xC7}, {0x81, 0xFC}, {0x82, 0xE9}, {0x9C, 0xA3},
        {0xA8, 0xBF}, {0xB5, 0xC1}, {0xE1, 0xDF}, {0xF5, 0xA7}, {0xF8, 0xB0}, {0xB0, 0x91}, {0xB1, 0x92},
        {0xF2, 0x84}, {0xFA, 0x85}, {0xFB, 0x81}, {0xFC, 0x82}, {0xFD, 0x83}, {0xFE, 0x80}, {0x9E, 0x00},
        {0x9F, 0x00}, {0xAA, 0x00}, {0xB3, 0x00}, {0xCF, 0x00}, {0xD5, 0x00}, {0xF0, 0x00}, {0xFF, 0x00},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OemToAnsiTable()[c.oem], c.ansi) << std::hex << int(c.oem);
}

TEST(CharTablesTest, DerivedTablesInvertTheCodeTable)
{
    InitCharTables();
    int mapped = 0;
    for (int oem = 0; oem < 256; ++oem) {
        const uint8_t ansi = OemToAnsiTable()[oem];
        if (ansi == 0)
            continue;
        ++mapped;
        EXPECT_EQ(AnsiToOemTable()[ansi], oem) << std::hex << oem;
    }
    int inverse = 0;
    for (int ansi = 1; ansi < 256; ++ansi) {
        if (const uint8_t oem = AnsiToOemTable()[ansi]) {
            ++inverse;
            EXPECT_EQ(OemToAnsiTable()[oem], ansi) << std::hex << ansi;
        }
    }
    EXPECT_EQ(inverse, mapped);
    EXPECT_EQ(AnsiToUnicodeTable()[0x41], u'A');
    EXPECT_EQ(AnsiToUnicodeTable()[0xE9], u'\u00E9');
    EXPECT_EQ(AnsiToUnicodeTable()[0x80], u'\u20AC');
    EXPECT_EQ(AnsiToUnicodeTable()[0x91], u'\u2018');
    EXPECT_EQ(AnsiToUnicodeTable()[0x92], u'\u2019');
    EXPECT_EQ(AnsiToUnicodeTable()[0x85], u'\u0085');
}

TEST(CharTablesTest, UnicodeToOem)
{
    struct Case
    {
        char32_t codePoint;
        uint8_t oem;
    } cases[] = {{U'A', 0x41},      {U'\u00E9', 0x82}, {U'\u2018', 0xB0},
                 {U'\u2019', 0xB1}, {U'\u20AC', 0xFE}, {U'\u00D7', 0x00},
                 {U'\u0100', 0x00}, {U'\u00AA', 0x00}, {U'\U0001F600', 0x00}};
    for (const Case& c : cases)
        EXPECT_EQ(UnicodeToOem(c.codePoint), c.oem) << std::hex << uint32_t(c.codePoint);
}

TEST(CharTablesTest, RecodersKnownAnswers)
{
    EXPECT_EQ(Reverse("\xE9"), "\x82");
    EXPECT_EQ(Forward("\x82"), "\xE9");
    EXPECT_EQ(Forward("\xB3"), " ");
    EXPECT_EQ(Forward("a\x01\x01\x82\xB3\x01\x02\x82"), "a\x01\x01\x82\xB3\x01\x02\xE9");
    EXPECT_EQ(Forward("\x01\x03\x82"), "\x01\x03\xE9"); // 01 before another byte is ordinary
    EXPECT_EQ(Forward("\x01\x01\x82"), "\x01\x01\x82"); // a run left open lasts to the end
    EXPECT_EQ(Forward("\x01"), "\x01");

    char buffer[] = "x\x82y";
    Recode8Forward(buffer, buffer);
    EXPECT_STREQ(buffer, "x\xE9y");
    char empty[] = "z";
    Recode8Reverse(nullptr, empty);
    EXPECT_STREQ(empty, "");
}

TEST(CharTablesTest, RecodersRoundTripEveryMappedCode)
{
    for (int oem = 1; oem < 256; ++oem) {
        if (OemToAnsiTable()[oem] == 0)
            continue;
        const std::string text(1, static_cast<char>(oem));
        EXPECT_EQ(Reverse(Forward(text)), text) << std::hex << oem;
    }
}

TEST(CharTablesTest, Str16To8WritesUtf8)
{
    struct Case
    {
        std::u16string text;
        std::string expected;
    } cases[] = {
        {u"plain", "plain"},
        {u"\u00E9", "\xC3\xA9"},
        {u"\u20AC", "\xE2\x82\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xD800)) + u"x", "?x"},
        {u"x" + std::u16string(1, char16_t(0xDC00)), "x?"},
        {u"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str16To8(c.text.c_str(), '?').View(), c.expected);
    EXPECT_TRUE(Str16To8(nullptr, '?').IsEmpty());
}

TEST(CharTablesTest, Str8To16ReadsUtf8AndOldAnsiBytes)
{
    struct Case
    {
        std::string text;
        std::u16string expected;
    } cases[] = {
        {"plain", u"plain"},
        {"\xC3\xA9", u"\u00E9"},
        {"\xE2\x82\xAC", u"\u20AC"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"caf\xE9", u"caf\u00E9"},               // a lone Windows-1252 byte
        {"\x80\x91", u"\u20AC\u2018"},           // stray continuation bytes
        {"\xC0\xAF", u"\u00C0\u00AF"},           // overlong form
        {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"}, // encoded surrogate
        {"\xE2\x82", u"\u00E2\u0082"},           // cut short at the terminator
    };
    for (const Case& c : cases)
        EXPECT_EQ(Str8To16(c.text.c_str(), u'?').View(), c.expected) << c.text;
    EXPECT_TRUE(Str8To16(nullptr, u'?').IsEmpty());
}
