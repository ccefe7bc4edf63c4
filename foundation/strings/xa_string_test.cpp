#include "foundation/strings/xa_string.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(XAStringTest, EmptyTextHasNoBlockButReadableText)
{
    const XAString cases[] = {XAString(), XAString(""), XAString(nullptr), XAString("abc", 0),
                              XAString::XAStringFromCharsN("", 5)};
    for (const XAString& s : cases) {
        EXPECT_FALSE(s.Block());
        EXPECT_EQ(s.Length(), 0);
        ASSERT_NE(s.CStr(), nullptr);
        EXPECT_STREQ(s.CStr(), "");
    }
}

TEST(XAStringTest, FromCharsMakesExactBlock)
{
    const XAString s("hello");
    EXPECT_EQ(s.Length(), 5);
    EXPECT_EQ(s.Block().Count(), 6);
    EXPECT_STREQ(s.CStr(), "hello");
    EXPECT_STREQ(XAString("hello", 3).CStr(), "hel");
    EXPECT_STREQ(XAString("he", 9).CStr(), "he");
}

TEST(XAStringTest, CopySharesBlock)
{
    const XAString a("text");
    XAString b = a;
    EXPECT_EQ(a.Block(), b.Block());
    EXPECT_EQ(a.Block().RefCount(), 2);
    b = XAString("other");
    EXPECT_EQ(a.Block().RefCount(), 1);
    EXPECT_STREQ(a.CStr(), "text");
}

TEST(XAStringTest, SelfAndSharedAssignmentKeepText)
{
    XAString a("keep");
    XAString b = a;
    const XAString& alias = a;
    a = alias;
    EXPECT_STREQ(a.CStr(), "keep");
    a = b;
    EXPECT_STREQ(a.CStr(), "keep");
    EXPECT_EQ(a.Block().RefCount(), 2);
    a.AssignChars(a.CStr());
    EXPECT_STREQ(a.CStr(), "keep");
}

TEST(XAStringTest, EqualsTreatsNullAsEmpty)
{
    EXPECT_TRUE(XAString().Equals(nullptr));
    EXPECT_TRUE(XAString().Equals(""));
    EXPECT_TRUE(XAString("ab").Equals("ab"));
    EXPECT_TRUE(XAString("ab").Differs("abc"));
    EXPECT_TRUE(XAString("ab").Differs(nullptr));
    EXPECT_TRUE(XAString("ab") < XAString("b"));
}

TEST(XAStringTest, SubSharesOnlyTheWholeText)
{
    const XAString s("abcdef");
    const XAString whole = s.Sub(0, 100);
    EXPECT_EQ(whole.Block(), s.Block());
    EXPECT_EQ(s.Block().RefCount(), 2);
    const XAString part = s.Sub(1, 100);
    EXPECT_NE(part.Block(), s.Block());
    EXPECT_EQ(part.Block().Count(), 6);

    struct Case
    {
        int32_t start, end;
        const char* expected;
    } cases[] = {
        {-5, 2, "ab"}, {2, 4, "cd"}, {4, 4, ""}, {5, 3, ""}, {6, 9, ""}, {9, 12, ""}, {3, 6, "def"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        const XAString sub = s.Sub(c.start, c.end);
        EXPECT_STREQ(sub.CStr(), c.expected);
        EXPECT_EQ(bool(sub.Block()), c.expected[0] != '\0');
    }
}

TEST(XAStringTest, CountOfAndField)
{
    struct Case
    {
        const char* text;
        const char* separator;
        int32_t count;
        int32_t index;
        const char* field;
    } cases[] = {
        {"a,b,c", ",", 3, 1, "b"},      {"a,b", ",", 2, 5, "b"},
        {"a,b,", ",", 3, 5, ""},        {"a,b,c", ",", 3, 0, "a"},
        {"a,b,c", ",", 3, -1, ""},      {"a::b::::c", "::", 4, 2, ""},
        {"a::b::::c", "::", 4, 3, "c"}, {"aaa", "aa", 2, 1, "a"},
        {"abc", ",", 1, 0, "abc"},      {"", ",", 0, 0, ""},
        {"a,b", "", 0, 0, ""},          {"a,b", nullptr, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const XAString s(c.text);
        EXPECT_EQ(s.CountOf(c.separator), c.count);
        EXPECT_STREQ(s.Field(c.index, c.separator).CStr(), c.field);
    }
}

TEST(XAStringTest, PlusSharesAnEmptyOperandsPartner)
{
    const XAString a("left");
    const XAString b("right");
    const XAString empty;
    EXPECT_EQ(XAString::Plus(empty, b).Block(), b.Block());
    EXPECT_EQ(XAString::Plus(a, empty).Block(), a.Block());
    EXPECT_EQ(XAString::PlusChars(a, nullptr).Block(), a.Block());
    EXPECT_EQ(XAString::PlusChars(a, "").Block(), a.Block());
    EXPECT_EQ(XAString::CharsPlus("", b).Block(), b.Block());
    EXPECT_STREQ(XAString::PlusChars(empty, "x").CStr(), "x");
    EXPECT_STREQ(XAString::CharsPlus("x", empty).CStr(), "x");

    const XAString both = a + b;
    EXPECT_STREQ(both.CStr(), "leftright");
    EXPECT_EQ(both.Block().Count(), 10);
    EXPECT_STREQ(("<" + a + ">").CStr(), "<left>");

    XAString grown = a;
    grown.Append(b);
    grown.AppendChars("!");
    grown += grown;
    EXPECT_STREQ(grown.CStr(), "leftright!leftright!");
    EXPECT_STREQ(a.CStr(), "left");
}

TEST(XAStringTest, PadRightTrimReplace)
{
    EXPECT_STREQ(XAString("ab").PadRight(4).CStr(), "ab  ");
    EXPECT_STREQ(XAString("abcd").PadRight(2).CStr(), "ab");
    EXPECT_STREQ(XAString().PadRight(2).CStr(), "  ");
    EXPECT_TRUE(XAString("ab").PadRight(0).IsEmpty());

    struct TrimCase
    {
        bool leading, trailing;
        const char* expected;
    } trims[] = {
        {true, true, "a\tb"}, {true, false, "a\tb  "}, {false, true, "  a\tb"}, {false, false, "  a\tb  "}};
    for (const TrimCase& c : trims)
        EXPECT_STREQ(XAString("  a\tb  ").Trim(c.leading, c.trailing).CStr(), c.expected);
    EXPECT_STREQ(XAString("\t a ").Trim(true, true).CStr(), "\t a");
    EXPECT_TRUE(XAString("   ").Trim(true, false).IsEmpty());

    struct ReplaceCase
    {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    } replaces[] = {
        {"aaaa", "aa", "b", "bb"},   {"abcabc", "b", "XYZ", "aXYZcaXYZc"},
        {"abc", "b", nullptr, "ac"}, {"abc", "B", "x", "abc"},
        {"abc", "abc", "", ""},      {"aaa", "aa", "a", "aa"},
    };
    for (const ReplaceCase& c : replaces) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(XAString(c.text).Replace(c.from, c.to).CStr(), c.expected);
    }
    const XAString s("same");
    EXPECT_EQ(s.Replace(nullptr, "x").Block(), s.Block());
    EXPECT_EQ(s.Replace("", "x").Block(), s.Block());
}

TEST(XAStringTest, AllocBufferLeavesRoomForTheTerminator)
{
    XAString s("old");
    char* buffer = s.AllocBuffer(4);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(s.Block().Count(), 5);
    EXPECT_EQ(buffer[4], '\0');
    std::memcpy(buffer, "abcd", 4);
    EXPECT_STREQ(s.CStr(), "abcd");
    s.SetBufferLength(2);
    EXPECT_STREQ(s.CStr(), "ab");
    s.SetBufferLength(99);
    EXPECT_EQ(s.Length(), 4);

    EXPECT_EQ(s.AllocBuffer(0), nullptr);
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.Block());
}

TEST(XAStringTest, SetLengthHandsOutAFreshTerminatedBlock)
{
    const XAString original("shared");
    XAString s = original;
    char* text = s.SetLength(3);
    ASSERT_NE(text, nullptr);
    EXPECT_NE(s.Block(), original.Block());
    EXPECT_EQ(text[3], '\0');
    EXPECT_EQ(s.Length(), 3);
    EXPECT_STREQ(original.CStr(), "shared");
    EXPECT_EQ(s.SetLength(-1), nullptr);
    EXPECT_EQ(s.Length(), 0);
    EXPECT_FALSE(s.Block());
}

TEST(XAStringTest, RecodeSharesUnchangedText)
{
    const XAString ascii("plain \x01\x01\x82\x01\x02 text");
    EXPECT_EQ(ascii.RecodeForward().Block(), ascii.Block());
    EXPECT_EQ(ascii.RecodeReverse().Block(), ascii.Block());

    const XAString oem("caf\x82 \x01\x01\x82\x01\x02");
    const XAString ansi = oem.RecodeForward();
    EXPECT_NE(ansi.Block(), oem.Block());
    EXPECT_EQ(ansi, XAString("caf\xE9 \x01\x01\x82\x01\x02"));
    EXPECT_EQ(ansi.RecodeReverse(), oem);
    EXPECT_EQ(XAString("\xB3").RecodeForward(), XAString(" "));
}
