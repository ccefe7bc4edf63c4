#include "xa_string.h"

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
