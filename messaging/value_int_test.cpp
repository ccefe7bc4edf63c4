#include "messaging/value_int.h"

#include <gtest/gtest.h>

#include <limits>

#include "messaging/test_support/value_change_test_util.h"

namespace {

using M = LValueModifyMsg;
constexpr uint32_t kQuiet = LValueMsg::kFlagQuiet;
constexpr uint32_t kRecord = LValueMsg::kFlagsRecordWrite;
constexpr uint32_t kFine = LValueMsg::kFlagFineStep;
constexpr int32_t kOneStep = 65536;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct IntCase
{
    int32_t start; // the value before the change (quietly set)
    int32_t minimum;
    int32_t maximum;
    double step;
    ValueChange change;
    const char* value; // item 1 afterwards
    ValueOutcome outcome;
};

const char* const kRangeError5 = "Value ($$c15$$c0) is not in range $$c1[0, 2]$$c0!";

} // namespace

TEST(ValueIntTest, Changes)
{
    const IntCase cases[] = {
        {2, 0, 2, 0.01, {"out of range", M::kTypeInt, 0, 1, 5}, "2", {"2", kRangeError5, -1, 0}},
        {2, 0, 2, 0.01, {"out of range, quiet", M::kTypeInt, kQuiet, 1, 5}, "2", {"2", "", -1, 0}},
        {0,
         0,
         2,
         0.01,
         {"a hundred steps of 0.01", M::kTypeStepBy, 0, 1, 0, "", 100 * kOneStep},
         "1",
         {"1", "", -1, 0}},
        {0,
         0,
         2,
         0.01,
         {"one step of 0.01 moves nothing", M::kTypeStepBy, 0, 1, 0, "", kOneStep},
         "0",
         {"0", "", -1, kOneStep}},
        {0,
         0,
         2,
         0.01,
         {"fine steps", M::kTypeStepBy, kFine, 1, 0, "", 10000 * kOneStep},
         "1",
         {"1", "", -1, 0}},
        {0,
         0,
         10,
         1,
         {"part of a step is left", M::kTypeStepBy, 0, 1, 0, "", 3 * kOneStep + 100},
         "3",
         {"3", "", -1, 100}},
        {0,
         0,
         2,
         1,
         {"exactly to the maximum", M::kTypeStepBy, 0, 1, 0, "", 2 * kOneStep},
         "2",
         {"2", "", -1, 0}},
        {1,
         0,
         2,
         1,
         {"below the minimum", M::kTypeStepBy, 0, 1, 0, "", -3 * kOneStep},
         "0",
         {"0", "", -1, 0}},
        {0,
         std::numeric_limits<int32_t>::min(),
         std::numeric_limits<int32_t>::max(),
         1e12,
         {"a step beyond 32 bits", M::kTypeStepBy, 0, 1, 0, "", kOneStep},
         "2147483647",
         {"2147483647", "", -1, 0}},
        {2, 0, 2, 1, {"step up wraps", M::kTypeStepUp, 0, 1}, "0", {"0", "", -1, 0}},
        {1, 0, 2, 1, {"step up", M::kTypeStepUp, 0, 1}, "2", {"2", "", -1, 0}},
        {1, -5, 5, 1, {"reset", M::kTypeReset, 0, 1}, "0", {"0", "", -1, 0}},
        {0, 0, 100, 1, {"text", M::kTypeString, 0, 1, 0, " 12 "}, "12", {"12", "", -1, 0}},
        {0,
         0,
         100,
         1,
         {"text with rest", M::kTypeString, 0, 1, 0, "12x"},
         "0",
         {"0", "At line 0, col 2: Nothing else expected!", 2, 0}},
        {0,
         0,
         100,
         1,
         {"text with rest, quiet", M::kTypeString, kQuiet, 1, 0, "12 x"},
         "12",
         {"12", "", -1, 0}},
        {0,
         0,
         100,
         1,
         {"no number", M::kTypeString, 0, 1, 0, "  x1"},
         "0",
         {"0", "At line 0, col 2: Integer value expected!", 2, 0}},
        {0, 0, 100, 1, {"no number, quiet", M::kTypeString, kQuiet, 1, 0, "x"}, "0", {"0", "", -1, 0}},
        {0,
         0,
         100,
         1,
         {"number too large", M::kTypeString, 0, 1, 0, " 3000000000"},
         "0",
         {"0", "At line 0, col 11: Value not in range [-2147483648, 2147483647]!", 1, 0}},
        {0,
         0,
         100,
         1,
         {"text out of range", M::kTypeString, 0, 1, 0, "101"},
         "100",
         {"100", "Value ($$c1101$$c0) is not in range $$c1[0, 100]$$c0!", -1, 0}},
        {0, 0, 10, 1, {"real truncated", M::kTypeDouble, 0, 1, 3.9}, "3", {"3", "", -1, 0}},
        {0,
         0,
         10,
         1,
         {"negative real truncated", M::kTypeDouble, 0, 1, -3.9},
         "0",
         {"0", "Value ($$c1-3$$c0) is not in range $$c1[0, 10]$$c0!", -1, 0}},
        {1,
         0,
         2,
         1,
         {"real beyond 32 bits", M::kTypeDouble, 0, 1, -1e12},
         "0",
         {"0", "Value ($$c1-2147483648$$c0) is not in range $$c1[0, 2]$$c0!", -1, 0}},
        {1,
         0,
         2,
         1,
         {"NaN counts as the smallest integer", M::kTypeDouble, 0, 1, kNaN},
         "0",
         {"0", "Value ($$c1-2147483648$$c0) is not in range $$c1[0, 2]$$c0!", -1, 0}},
        {0, 0, 2, 1, {"bool", M::kTypeBool, 0, 1, 1}, "1", {"1", "", -1, 0}},
        {0, 0, 10, 1, {"position", M::kTypeFromRange, 0, 1, 50}, "5", {"5", "", -1, 0}},
        {0, 0, 10, 1, {"last position", M::kTypeFromRange, 0, 1, 100}, "10", {"10", "", -1, 0}},
        {0, 0, 10, 1, {"position past the range", M::kTypeFromRange, 0, 1, 250}, "10", {"10", "", -1, 0}},
        {5,
         std::numeric_limits<int32_t>::min(),
         std::numeric_limits<int32_t>::max(),
         1,
         {"position in the whole 32-bit range", M::kTypeFromRange, 0, 1, 50},
         "-21262215",
         {"-21262215", "", -1, 0}},
        {2, 0, 2, 1, {"new maximum brings the value in", M::kTypeInt, kRecord, 4, 1}, "1", {"1", "", -1, 0}},
        {2, 0, 2, 1, {"new maximum waits for the next check", M::kTypeInt, 0, 4, 1}, "2", {"1", "", -1, 0}},
        {2, 0, 5, 1, {"new minimum, quiet", M::kTypeInt, kQuiet, 3, 4}, "4", {"4", "", -1, 0}},
        {2, 0, 5, 1, {"default", M::kTypeInt, 0, 2, 9}, "2", {"9", "", -1, 0}},
        {2, 0, 5, 1, {"step as stored", M::kTypeDouble, 0, 5, 0.5}, "2", {"0.5", "", -1, 0}},
        {2, 0, 5, 1, {"marking", M::kTypeBool, 0, 7, 1}, "2", {"1", "", -1, 0}},
        {2, 0, 5, 1, {"no such item", M::kTypeInt, 0, 9, 1}, "2", {"", "", -1, 0}},
    };
    for (const IntCase& c : cases) {
        LValueInt value(0, c.minimum, c.maximum, c.step, 0, false, true);
        ApplyChange(value, {"start", M::kTypeInt, kQuiet, 1, static_cast<double>(c.start)});
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

TEST(ValueIntTest, ItemsAndGetters)
{
    const LValueInt value(2, 0, 10, 0.01, 0, true, false);
    EXPECT_EQ(value.GetDouble(5), 0.01 / 65536);
    EXPECT_EQ(value.GetDouble(6), 0.0001 / 65536);
    EXPECT_EQ(value.GetDouble(1), 0.0);
    double real = 1;
    EXPECT_FALSE(value.GetDouble(real, 1));
    EXPECT_EQ(real, 0.0);
    float single = 0;
    EXPECT_TRUE(value.GetFloat(single, 5));
    EXPECT_EQ(single, static_cast<float>(0.01 / 65536));
    EXPECT_EQ(value.GetInt(4), 10);
    EXPECT_EQ(value.GetInt(5), 0);
    EXPECT_EQ(value.GetInt(7), 1);
    EXPECT_EQ(value.ItemType(5), kItemTypeReal);
    EXPECT_EQ(value.ItemType(8), kItemTypeInteger);
    EXPECT_TRUE(value.IsNumericItem(1));
    EXPECT_TRUE(value.IsDefaultMarked());
    EXPECT_TRUE(value.IsAtDefault(1));
    EXPECT_FALSE(value.IsEnabled());
    EXPECT_EQ(value.GetString(6), "1.52587890625000E-009");
    XAString text;
    EXPECT_FALSE(value.GetFormattedA(text, 1, 4, 0, 1)); // no real item
    EXPECT_TRUE(text.IsEmpty());

    // The default constructor clamps nothing and steps by 0.1.
    const LValueInt whole;
    EXPECT_EQ(whole.GetInt(3), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(whole.GetDouble(5), 0.1 / 65536);
    EXPECT_FALSE(whole.IsDefaultMarked());
    EXPECT_FALSE(whole.IsAtDefault(1)); // unmarked
    EXPECT_TRUE(whole.IsEnabled());

    // Construction clamps the value, not the default.
    const LValueInt clamped(20, 0, 10, 1, 0, true, true);
    EXPECT_EQ(clamped.GetInt(1), 10);
    EXPECT_EQ(clamped.GetInt(2), 20);
    EXPECT_FALSE(clamped.IsAtDefault(1));
}

TEST(ValueIntTest, Mapped)
{
    struct Case
    {
        int32_t value;
        int32_t minimum;
        int32_t maximum;
        int32_t low;
        int32_t high;
        int32_t mapped;
    };
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const Case cases[] = {
        {5, 0, 10, 0, 100, 45},     {10, 0, 10, 0, 100, 91},       {0, 0, 10, 0, 100, 0},
        {0, kMin, kMax, 0, 99, 50}, {kMax, kMin, kMax, 0, 99, 99}, {kMin, kMin, kMax, -10, 10, -10},
        {5, 5, 5, 0, 100, 0}, // no range
        {5, 0, 10, 7, 7, 7},  // no target range
    };
    for (const Case& c : cases) {
        LValueInt value(c.value, c.minimum, c.maximum, 1, 0, false, true);
        int32_t mapped = -1;
        EXPECT_TRUE(value.GetMapped(mapped, c.low, c.high, 1));
        EXPECT_EQ(mapped, c.mapped) << c.value << " in [" << c.minimum << ", " << c.maximum << "]";
    }
    // A real item (the step) maps against the limits read as reals: none here.
    LValueInt value(5, 0, 10, 1, 0, false, true);
    int32_t mapped = -1;
    EXPECT_TRUE(value.GetMapped(mapped, 3, 50, 5));
    EXPECT_EQ(mapped, 3);
}
