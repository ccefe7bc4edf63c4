#include "messaging/value_double.h"

#include <gtest/gtest.h>

#include <limits>

#include "messaging/test_support/value_change_test_util.h"
#include "messaging/value_double_fmt1.h"

namespace {

using M = LValueModifyMsg;
constexpr uint32_t kQuiet = LValueMsg::kFlagQuiet;
constexpr uint32_t kRecord = LValueMsg::kFlagsRecordWrite;
constexpr uint32_t kFine = LValueMsg::kFlagFineStep;
constexpr int32_t kOneStep = 65536;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct DoubleCase
{
    double start;
    double minimum;
    double maximum;
    double step;
    ValueChange change;
    const char* value; // item 1 afterwards
    ValueOutcome outcome;
};

} // namespace

TEST(ValueDoubleTest, Changes)
{
    const DoubleCase cases[] = {
        {1.5,
         0,
         2,
         1,
         {"step up wraps when not below the maximum", M::kTypeStepUp, 0, 1},
         "0.0",
         {"0.0", "", -1, 0}},
        {0.5, 0, 2, 1, {"step up", M::kTypeStepUp, 0, 1}, "1.5", {"1.5", "", -1, 0}},
        {1,
         0,
         2,
         1,
         {"out of range", M::kTypeDouble, 0, 1, 5},
         "2.0",
         {"2.0", "Value ($$c15.0$$c0) is not in range $$c1[0.0, 2.0]$$c0!", -1, 0}},
        {1, 0, 2, 1, {"out of range, quiet", M::kTypeDouble, kQuiet, 1, -5}, "0.0", {"0.0", "", -1, 0}},
        {1,
         0,
         2,
         1,
         {"NaN becomes the minimum", M::kTypeDouble, 0, 1, kNaN},
         "0.0",
         {"0.0", "Value ($$c1NaN$$c0) is not in range $$c1[0.0, 2.0]$$c0!", -1, 0}},
        {1, 0, 2, 1, {"integer", M::kTypeInt, 0, 1, 2}, "2.0", {"2.0", "", -1, 0}},
        {0,
         0,
         10,
         0.5,
         {"three steps", M::kTypeStepBy, 0, 1, 0, "", 3 * kOneStep},
         "1.5",
         {"1.5", "", -1, 0}},
        {0,
         0,
         10,
         0.5,
         {"part of a step", M::kTypeStepBy, 0, 1, 0, "", kOneStep / 2},
         "0.25",
         {"0.25", "", -1, 0}},
        {0, 0, 10, 0.5, {"no count", M::kTypeStepBy, 0, 1, 0, "", 0}, "0.0", {"0.0", "", -1, 0}},
        {0,
         0,
         10,
         0.5,
         {"fine steps", M::kTypeStepBy, kFine, 1, 0, "", 200 * kOneStep},
         "1.0",
         {"1.0", "", -1, 0}},
        {9,
         0,
         10,
         0.5,
         {"past the maximum", M::kTypeStepBy, 0, 1, 0, "", 3 * kOneStep},
         "10.0",
         {"10.0", "", -1, 0}},
        {9,
         0,
         10,
         0.5,
         {"exactly to the maximum", M::kTypeStepBy, 0, 1, 0, "", 2 * kOneStep},
         "10.0",
         {"10.0", "", -1, 0}},
        {1,
         0,
         10,
         0.5,
         {"past the minimum", M::kTypeStepBy, 0, 1, 0, "", -3 * kOneStep},
         "0.0",
         {"0.0", "", -1, 0}},
        {0, 0, 10, 1, {"text with comma", M::kTypeString, 0, 1, 0, " 1,5 "}, "1.5", {"1.5", "", -1, 0}},
        {0, 0, 10, 1, {"exponent", M::kTypeString, 0, 1, 0, "25e-1"}, "2.5", {"2.5", "", -1, 0}},
        {0,
         0,
         10,
         1,
         {"broken exponent", M::kTypeString, 0, 1, 0, " 1e"},
         "0.0",
         {"0.0", "At line 0, col 3: Exponent syntax error!", 1, 0}},
        {0,
         0,
         10,
         1,
         {"broken exponent, quiet", M::kTypeString, kQuiet, 1, 0, "1e"},
         "0.0",
         {"0.0", "", -1, 0}},
        {0, 0, 10, 1, {"rest, quiet", M::kTypeString, kQuiet, 1, 0, "2.5 V"}, "2.5", {"2.5", "", -1, 0}},
        {0, 0, 10, 1, {"position", M::kTypeFromRange, 0, 1, 25}, "2.5", {"2.5", "", -1, 0}},
        {0, 0, 10, 1, {"position before the range", M::kTypeFromRange, 0, 1, -25}, "0.0", {"0.0", "", -1, 0}},
        {3, 0, 10, 1, {"reset", M::kTypeReset, 0, 1}, "0.0", {"0.0", "", -1, 0}},
        {3,
         0,
         10,
         1,
         {"new maximum brings the value in", M::kTypeDouble, kRecord, 4, 2.5},
         "2.5",
         {"2.5", "", -1, 0}},
        {3, 0, 10, 1, {"new maximum waits", M::kTypeDouble, 0, 4, 2.5}, "3.0", {"2.5", "", -1, 0}},
        {3, 0, 10, 1, {"enabled off", M::kTypeBool, 0, 8, 0}, "3.0", {"0", "", -1, 0}},
        {3, 0, 10, 1, {"enabled as text", M::kTypeString, 0, 8, 0, "1"}, "3.0", {"1", "", -1, 0}},
    };
    for (const DoubleCase& c : cases) {
        LValueDouble value(0, c.minimum, c.maximum, c.step, 0, false, true);
        ApplyChange(value, {"start", M::kTypeDouble, kQuiet, 1, c.start});
        const ValueOutcome outcome = ApplyChange(value, c.change);
        EXPECT_EQ(outcome.itemText, c.outcome.itemText) << c.change.what;
        EXPECT_EQ(outcome.error, c.outcome.error) << c.change.what;
        EXPECT_EQ(outcome.errorPos, c.outcome.errorPos) << c.change.what;
        EXPECT_EQ(value.GetString(1), c.value) << c.change.what;
        if (c.change.type == M::kTypeStepBy) {
            EXPECT_EQ(outcome.count, c.outcome.count) << c.change.what;
        }
    }
}

TEST(ValueDoubleTest, GettersMappingAndDefault)
{
    LValueDouble value(2.5, 0, 10, 0.5, 0, true, true);
    EXPECT_EQ(value.GetDouble(5), 0.5 / 65536);
    EXPECT_EQ(value.GetDouble(6), 0.5 / 65536 * 0.01);
    EXPECT_EQ(value.GetInt(1), 0); // reals are not integers
    EXPECT_EQ(value.GetInt(7), 1);
    EXPECT_TRUE(value.IsAtDefault(1));
    ApplyChange(value, {"nearly the default", M::kTypeDouble, 0, 1, 2.5000001});
    EXPECT_TRUE(value.IsAtDefault(1));
    ApplyChange(value, {"off the default", M::kTypeDouble, 0, 1, 2.6});
    EXPECT_FALSE(value.IsAtDefault(1));

    int32_t mapped = -1;
    EXPECT_TRUE(value.GetMapped(mapped, 0, 1000, 1));
    EXPECT_EQ(mapped, 260);
    EXPECT_TRUE(value.GetMapped(mapped, 0, 1000, 3));
    EXPECT_EQ(mapped, 0);

    const LValueDouble whole;
    EXPECT_EQ(whole.GetDouble(3), -2147483648.0);
    EXPECT_EQ(whole.GetDouble(4), 2147483647.0);
    EXPECT_EQ(whole.GetDouble(5), 0.1 / 65536);
}

TEST(ValueDoubleFmt1Test, TextsInTheValuesFormat)
{
    LValueDoubleFmt1 value(123.456, -1e10, 1e10, 1, 0, 1, 4, 0);
    EXPECT_EQ(value.GetString(1), " 123.46");
    EXPECT_EQ(value.GetString(8), "1");
    EXPECT_FALSE(value.IsDefaultMarked());
    ApplyChange(value, {"large", M::kTypeDouble, 0, 1, 123456.7});
    EXPECT_EQ(value.GetString(1), " 1.2345E+005");
    ApplyChange(value, {"beyond 32 bits", M::kTypeDouble, 0, 1, 3e9});
    EXPECT_EQ(value.GetString(1), " 3.0000E+009");
    XWString wide;
    EXPECT_TRUE(value.GetTextW(wide, 1));
    EXPECT_EQ(wide, XWString(u" 3.0000E+009"));
    EXPECT_TRUE(value.GetFormattedW(wide, 6, 1, 0, 2));
    EXPECT_EQ(wide, XWString(u"    123.5"));

    // A copy keeps the format.
    LValueDoubleFmt1 copy;
    EXPECT_EQ(copy.GetString(1), " 0.0000");
    copy = value;
    EXPECT_EQ(copy.FracDigits(), 4);
    EXPECT_EQ(copy.GetString(2), " 123.46");
}
