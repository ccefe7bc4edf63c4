#include "messaging/value_string.h"

#include <gtest/gtest.h>

#include <string>

#include "messaging/test_support/value_change_test_util.h"

namespace {

using M = LValueModifyMsg;
constexpr uint32_t kQuiet = LValueMsg::kFlagQuiet;
constexpr uint32_t kRecord = LValueMsg::kFlagsRecordWrite;

struct StringCase
{
    const char* start;
    int32_t maximumLength;
    ValueChange change;
    const char* value; // item 1 afterwards
    ValueOutcome outcome;
};

const std::string kLong(300, 'a');
const std::string kCut(255, 'a');

} // namespace

TEST(ValueStringTest, Changes)
{
    const StringCase cases[] = {
        {"x",
         255,
         {"too long", M::kTypeString, 0, 1, 0, kLong.c_str()},
         kCut.c_str(),
         {kCut, "Maximum of 255 chars allowed!", -1, 0}},
        {"x",
         255,
         {"too long, quiet", M::kTypeString, kQuiet, 1, 0, kLong.c_str()},
         kCut.c_str(),
         {kCut, "", -1, 0}},
        {"x",
         5,
         {"UTF-8 counts characters", M::kTypeString, 0, 1, 0, "Grüße"},
         "Grüße",
         {"Grüße", "", -1, 0}},
        {"x",
         4,
         {"one character too many", M::kTypeString, 0, 1, 0, "Grüße"},
         "Grüß",
         {"Grüß", "Maximum of 4 chars allowed!", -1, 0}},
        {"x", 255, {"integer as text", M::kTypeInt, 0, 1, -42}, "-42", {"-42", "", -1, 0}},
        {"x", 255, {"real as text", M::kTypeDouble, 0, 1, 2.5}, "2.5", {"2.5", "", -1, 0}},
        {"x", 255, {"new default", M::kTypeString, 0, 2, 0, "d"}, "x", {"d", "", -1, 0}},
        {"x", 255, {"reset", M::kTypeReset, 0, 1}, "", {"", "", -1, 0}},
        {"abcdef",
         255,
         {"shorter maximum cuts at once", M::kTypeInt, kRecord, 4, 3},
         "abc",
         {"3", "", -1, 0}},
        {"abcdef", 255, {"shorter maximum waits", M::kTypeInt, 0, 4, 3}, "abcdef", {"3", "", -1, 0}},
        {"abcdef", 255, {"negative maximum", M::kTypeInt, kQuiet, 4, -3}, "", {"-3", "", -1, 0}},
        {"abc", 255, {"no steps", M::kTypeStepUp, 0, 1}, "abc", {"abc", "", -1, 0}},
        {"abc", 255, {"no positions", M::kTypeFromRange, 0, 1, 5}, "abc", {"abc", "", -1, 0}},
        {"abc", 255, {"marking", M::kTypeBool, 0, 7, 1}, "abc", {"1", "", -1, 0}},
        {"abc", 255, {"no minimum", M::kTypeInt, 0, 3, 1}, "abc", {"", "", -1, 0}},
    };
    for (const StringCase& c : cases) {
        LValueString value("", c.maximumLength, false, true);
        ApplyChange(value, {"start", M::kTypeString, kQuiet, 1, 0, c.start});
        const ValueOutcome outcome = ApplyChange(value, c.change);
        EXPECT_EQ(outcome.itemText, c.outcome.itemText) << c.change.what;
        EXPECT_EQ(outcome.error, c.outcome.error) << c.change.what;
        EXPECT_EQ(outcome.errorPos, c.outcome.errorPos) << c.change.what;
        EXPECT_EQ(value.GetString(1), c.value) << c.change.what;
    }
}

TEST(ValueStringTest, ConstructionAndGetters)
{
    // No length check when built.
    const LValueString built("abcdef", 3, true, false);
    EXPECT_EQ(built.GetString(1), "abcdef");
    EXPECT_TRUE(built.IsAtDefault(1));
    EXPECT_FALSE(built.IsEnabled());
    EXPECT_EQ(built.GetInt(4), 3);
    EXPECT_EQ(built.GetInt(1), 0);
    EXPECT_EQ(built.ItemType(1), kItemTypeTextW);
    EXPECT_EQ(built.ItemType(4), kItemTypeInteger);
    EXPECT_FALSE(built.IsNumericItem(2));
    XWString wide;
    EXPECT_TRUE(built.GetTextW(wide, 2));
    EXPECT_EQ(wide, XWString(u"abcdef"));
    EXPECT_TRUE(built.GetTextW(wide, 4));
    EXPECT_EQ(wide, XWString(u"3"));
    XAString text;
    EXPECT_FALSE(built.GetTextA(text, 5));
    int32_t mapped = -1;
    EXPECT_FALSE(built.GetMapped(mapped, 2, 9, 1));
    EXPECT_EQ(mapped, 2);

    LValueString cleared("abc", 10, true, false);
    cleared.Clear();
    EXPECT_EQ(cleared.GetString(1), "");
    EXPECT_EQ(cleared.GetInt(4), 255);
    EXPECT_FALSE(cleared.IsDefaultMarked());
    EXPECT_TRUE(cleared.IsEnabled());

    // Unpaired surrogates have no 8-bit form.
    LValueString odd;
    odd.SetAllW(XWString(u"a\xD800z"), 255, false, true);
    EXPECT_EQ(odd.GetString(1), "a?z");
}
