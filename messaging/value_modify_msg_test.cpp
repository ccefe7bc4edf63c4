#include "messaging/value_modify_msg.h"

#include <gtest/gtest.h>

namespace {

LValueModifyMsg TextMsg()
{
    return LValueModifyMsg(0, LValueModifyMsg::kTypeString, LValueModifyMsg::kItemValue);
}

TEST(ModifyMsgText, SixteenBitTextIsConvertedOnceAndKept)
{
    LValueModifyMsg msg = TextMsg();
    msg.stringW = XWString(u"Gr\u00FC\u00DFe \u20AC");
    const XAString& text = msg.GetStringA();
    EXPECT_EQ(text, "Gr\xC3\xBC\xC3\x9F"
                    "e \xE2\x82\xAC");
    const void* block = text.Block().Data();
    EXPECT_EQ(msg.GetStringA().Block().Data(), block);
}

TEST(ModifyMsgText, EightBitTextIsConvertedOnceAndKept)
{
    LValueModifyMsg msg = TextMsg();
    msg.stringA = "x \xE2\x82\xAC";
    const XWString& text = msg.GetStringW();
    EXPECT_EQ(text, XWString(u"x \u20AC"));
    const void* block = text.Block().Data();
    EXPECT_EQ(msg.GetStringW().Block().Data(), block);
}

TEST(ModifyMsgText, EachTextStaysWhenBothAreSet)
{
    LValueModifyMsg msg = TextMsg();
    msg.stringA = "eight";
    msg.stringW = XWString(u"sixteen");
    EXPECT_EQ(msg.GetStringA(), "eight");
    EXPECT_EQ(msg.GetStringW(), XWString(u"sixteen"));
}

TEST(ModifyMsgText, UnpairedSurrogateBecomesTheReplacement)
{
    LValueModifyMsg msg = TextMsg();
    const char16_t text[] = {u'a', 0xD800, u'b', 0};
    msg.stringW = XWString(text);
    EXPECT_EQ(msg.GetStringA(), "a?b");
}

TEST(ModifyMsgText, NoTextStaysEmpty)
{
    LValueModifyMsg msg = TextMsg();
    EXPECT_TRUE(msg.GetStringA().IsEmpty());
    EXPECT_TRUE(msg.GetStringW().IsEmpty());
}

} // namespace
