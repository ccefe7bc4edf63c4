#include "foundation/strings/xw_string.h"

#include <gtest/gtest.h>

TEST(XWStringTest, AssignCopiesWithTerminator)
{
    XWString s;
    s.Assign(u"w\u20ACrd");
    EXPECT_EQ(s.Length(), 4);
    EXPECT_EQ(s.Block().Count(), 5);
    EXPECT_EQ(s.View(), u"w\u20ACrd");
    EXPECT_EQ(s.CStr()[4], u'\0');

    s.Assign(s.CStr() + 1);
    EXPECT_EQ(s.View(), u"\u20ACrd");
    for (const char16_t* empty : {static_cast<const char16_t*>(nullptr), u""}) {
        s.Assign(empty);
        EXPECT_FALSE(s.Block());
        EXPECT_EQ(s.CStr()[0], u'\0');
    }
}

TEST(XWStringTest, AllocBufferLeavesRoomForTheTerminator)
{
    XWString s;
    char16_t* buffer = s.AllocBuffer(3);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(s.Block().Count(), 4);
    EXPECT_EQ(buffer[3], u'\0');
    buffer[0] = u'a';
    buffer[1] = u'b';
    s.SetBufferLength(2);
    EXPECT_EQ(s.View(), u"ab");
    EXPECT_EQ(s.AllocBuffer(-1), nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(XWStringTest, SubFollowsTheNarrowRules)
{
    const XWString s(u"abcdef");
    EXPECT_EQ(s.Sub(0, 99).Block(), s.Block());
    EXPECT_EQ(s.Block().RefCount(), 1);
    struct Case
    {
        int32_t start, end;
        const char16_t* expected;
    } cases[] = {{-3, 2, u"ab"}, {1, 99, u"bcdef"}, {3, 3, u""}, {4, 2, u""}, {6, 8, u""}};
    for (const Case& c : cases) {
        const XWString sub = s.Sub(c.start, c.end);
        EXPECT_EQ(sub.View(), c.expected);
        EXPECT_EQ(bool(sub.Block()), c.expected[0] != u'\0');
    }
}

TEST(XWStringTest, CopiesShare)
{
    const XWString a(u"x");
    XWString b;
    b = a;
    EXPECT_EQ(a.Block(), b.Block());
    XWString c(std::move(b));
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(c, a);
    EXPECT_EQ(a.Block().RefCount(), 2);
}
