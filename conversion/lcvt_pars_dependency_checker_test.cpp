#include "conversion/lcvt_pars_dependency_checker.h"

#include "conversion/cvt_par_handler.h"
#include "conversion/cvt_par_table.h"
#include "messaging/test_support/notify_recorder_test_util.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_msg_to.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int32_t kValue = LValueModifyMsg::kItemValue;
// A click of a bound control: quiet, one-shot, interactive.
constexpr uint32_t kControlFlags = 0x10408;
// A whole-record write: quiet, without the interactive bit.
constexpr uint32_t kRecordFlags = 0x10400;

using RealHandler = LValueHandlerT<LValueDoubleFmt1>;
using IntHandler = LValueHandlerT<LValueInt>;

LValueDoubleFmt1 Real(double value)
{
    return LValueDoubleFmt1(value, -10, 10, 0.001, 0, 1, 4, 0);
}

// The "<name>:0" entries of a notification log: the changes, in the order they were made.
std::string ChangesIn(const std::string& log)
{
    std::istringstream entries(log);
    std::string changes;
    for (std::string entry; entries >> entry;) {
        if (entry.ends_with(":0")) {
            changes += (changes.empty() ? "" : " ") + entry;
        }
    }
    return changes;
}

LValueInt Int(int32_t value)
{
    return LValueInt(value, 0, 100, 1, 0, false, true);
}

// A checker bound to test handlers: the watched values are registered under test keys, and its
// writes go to a private set of the 354 parameters.
class DependencyChecker : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        for (int32_t n = 1; n <= kCvtParCount; ++n) {
            targets_[static_cast<std::size_t>(n)] = MakeCvtParHandler(n);
        }
        const struct
        {
            LValueHandler* handler;
            LValueHandlerFromRef* ref;
            const char* key;
        } watches[] = {
            {&spread_, &checker_.WatchRef1, "Test.CvtDep.Spread"},
            {&enable_, &checker_.WatchRef2, "Test.CvtDep.Enable"},
            {&threshold_, &checker_.WatchRef3, "Test.CvtDep.Threshold"},
            {&angle_, &checker_.WatchRef4, "Test.CvtDep.Angle"},
            {&second_, &checker_.WatchRef5, "Test.CvtDep.Second"},
            {&count_, &checker_.WatchRef6, "Test.CvtDep.Count"},
        };
        for (const auto& w : watches) {
            ASSERT_TRUE(w.handler->ConnectRegistry(w.key, nullptr));
            ASSERT_TRUE(w.ref->Attach(checker_.AsReceiver(), w.key, nullptr));
        }
        for (int32_t n : {16, 18, 19}) {
            const XAString key = XAString::Format("Test.CvtDep.Exclusive.%d", n);
            ASSERT_TRUE(Target(n).ConnectRegistry(key.CStr(), nullptr));
        }
        checker_.ExclusiveSwitchRef.Attach(checker_.AsReceiver(), "Test.CvtDep.Exclusive", nullptr);
    }

    LValueHandler& Target(int32_t n) { return *targets_[static_cast<std::size_t>(n)]; }
    double RealOf(int32_t n) { return Target(n).GetOwnerValue()->GetDouble(kValue); }
    int32_t IntOf(int32_t n) { return Target(n).GetOwnerValue()->GetInt(kValue); }

    static CError Change(LValueHandler& handler, double value, uint32_t flags = kControlFlags)
    {
        return LValueModifyMsgTo(handler.AsReceiver()).SendDouble(flags, value, kValue);
    }

    std::array<std::unique_ptr<LValueHandler>, kCvtParCount + 1> targets_;
    RealHandler spread_{Real(0)};
    IntHandler enable_{Int(0)};
    RealHandler threshold_{Real(0)};
    RealHandler angle_{Real(0)};
    RealHandler second_{Real(0)};
    IntHandler count_{Int(0)};
    const LCvtPars reference_;
    LCvtParsDependencyChecker checker_{reference_, [this](int32_t n) -> LValueHandler& { return Target(n); }};
};

} // namespace

TEST_F(DependencyChecker, SpreadsTheFirstValue)
{
    ASSERT_FALSE(Change(spread_, 0.004).Failed());
    EXPECT_DOUBLE_EQ(RealOf(141), 0.004);
    EXPECT_NEAR(RealOf(142), 0.0041, 1e-15);
    EXPECT_NEAR(RealOf(143), 0.004 * 0.02 / 0.003, 1e-15);
}

TEST_F(DependencyChecker, IgnoresChangesNotMadeByAControlAndWhileDisabled)
{
    ASSERT_FALSE(Change(spread_, 0.004, kRecordFlags).Failed());
    checker_.Enabled = false;
    ASSERT_FALSE(Change(spread_, 0.005).Failed());
    ASSERT_FALSE(Change(second_, 0.5).Failed());
    EXPECT_EQ(RealOf(141), 0.003);
    EXPECT_EQ(RealOf(208), 0.015);
}

// The value model decides what a write out of range does: the quiet flag of a control's change
// clamps it into the range; the writes after it still happen.
TEST_F(DependencyChecker, OutOfRangeWritesAreClampedUnderTheQuietFlag)
{
    ASSERT_FALSE(Change(spread_, 1.0).Failed());
    EXPECT_EQ(RealOf(141), 1.0);
    EXPECT_EQ(RealOf(142), 1.0);
    EXPECT_EQ(RealOf(143), 1.0);
}

// Without the quiet flag a refused write fails the whole change, the watched value's included.
TEST_F(DependencyChecker, OutOfRangeWriteWithoutQuietFlagFailsTheChange)
{
    EXPECT_TRUE(Change(spread_, 1.0, LValueMsg::kFlagInteractive).Failed());
    EXPECT_EQ(spread_.GetValue().GetDouble(kValue), 0.0);
    EXPECT_EQ(RealOf(141), 0.003);
    EXPECT_EQ(RealOf(142), 0.0031);
    EXPECT_EQ(RealOf(143), 0.02);
}

TEST_F(DependencyChecker, ThresholdBranches)
{
    struct Case
    {
        const char* what;
        bool enable;
        double threshold;
        double r148, r151;
        int32_t s150;
    };
    const Case cases[] = {
        {"exactly the minimum takes the first branch", false, 0.0002, 0.0001, 0.0002, 0},
        {"above, switch on", true, 0.5, 0.0001, 0.5, 1},
        {"below: the reference values, whatever the switch", false, 0.0001, 0.0001, 0.0031, 1},
        {"zero", true, 0.0, 0.0, 0.0031, 1},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(Change(enable_, c.enable, kRecordFlags).Failed());
        ASSERT_FALSE(Change(angle_, 7.5, kRecordFlags).Failed());
        ASSERT_FALSE(Change(threshold_, c.threshold).Failed()) << c.what;
        EXPECT_EQ(IntOf(147), c.enable ? 1 : 0) << c.what;
        EXPECT_EQ(RealOf(148), c.r148) << c.what;
        EXPECT_EQ(RealOf(151), c.r151) << c.what;
        EXPECT_EQ(IntOf(150), c.s150) << c.what;
        EXPECT_EQ(RealOf(149), 7.5) << c.what;
        EXPECT_EQ(RealOf(152), 7.5) << c.what;
    }
    // The switch and the angle trigger the same rule.
    ASSERT_FALSE(Change(angle_, 9.0).Failed());
    EXPECT_EQ(RealOf(149), 9.0);
    ASSERT_FALSE(Change(enable_, 0).Failed());
    EXPECT_EQ(IntOf(147), 0);
}

// A watch that names no handler reads through the fallback handler: 0 and false.
TEST_F(DependencyChecker, UnresolvedWatchesReadAsZeroAndFalse)
{
    checker_.Enabled = false;
    LCvtParsDependencyChecker lone(reference_, [this](int32_t n) -> LValueHandler& { return Target(n); });
    ASSERT_TRUE(lone.WatchRef3.Attach(lone.AsReceiver(), "Test.CvtDep.Threshold", nullptr));
    ASSERT_FALSE(Change(Target(147), 1, kRecordFlags).Failed());
    ASSERT_FALSE(Change(Target(149), 5.0, kRecordFlags).Failed());
    ASSERT_FALSE(Change(threshold_, 0.5).Failed());
    EXPECT_EQ(IntOf(147), 0);
    EXPECT_EQ(IntOf(150), 0);
    EXPECT_EQ(RealOf(151), 0.5);
    EXPECT_EQ(RealOf(149), 0.0);
    EXPECT_EQ(RealOf(152), 0.0);
}

TEST_F(DependencyChecker, CopiesIntoTheRepeatedEntries)
{
    ASSERT_FALSE(Change(second_, 0.25).Failed());
    for (int32_t n : {208, 212, 216, 220}) {
        EXPECT_EQ(RealOf(n), 0.25) << n;
    }
    EXPECT_EQ(RealOf(205), 0.015);
    ASSERT_FALSE(Change(count_, 7).Failed());
    EXPECT_EQ(IntOf(227), 7);
    EXPECT_EQ(IntOf(231), 7);
    EXPECT_EQ(IntOf(223), 4);
}

TEST_F(DependencyChecker, KeepsOneOfThreeSwitchesOn)
{
    struct Case
    {
        const char* what;
        std::array<int32_t, 3> before; // 16, 18, 19
        int32_t changed;
        int32_t value;
        std::array<int32_t, 3> after;
        const char* writes; // notifications of the switches other than the changed one
    };
    const Case cases[] = {
        {"18 on turns 16 and 19 off, in that order", {1, 0, 1}, 18, 1, {0, 1, 0}, "16:0 19:0"},
        {"19 on turns 18 and 16 off", {1, 1, 0}, 19, 1, {0, 0, 1}, "16:0 18:0"},
        {"16 on turns 18 and 19 off", {0, 1, 1}, 16, 1, {1, 0, 0}, "18:0 19:0"},
        {"16 on alone writes nothing", {0, 0, 0}, 16, 1, {1, 0, 0}, ""},
        {"switching off writes nothing", {1, 1, 1}, 18, 0, {1, 0, 1}, ""},
    };
    for (const Case& c : cases) {
        const int32_t numbers[] = {16, 18, 19};
        for (int32_t i = 0; i < 3; ++i) {
            ASSERT_FALSE(
                Change(Target(numbers[i]), c.before[static_cast<std::size_t>(i)], kRecordFlags).Failed());
        }
        NotifyLog log;
        std::vector<std::unique_ptr<NotifyRecorder>> recorders;
        for (int32_t n : numbers) {
            if (n == c.changed) {
                continue;
            }
            recorders.push_back(std::make_unique<NotifyRecorder>(std::to_string(n), log));
            NotifyRecorder* recorder = recorders.back().get();
            Target(n).AsSource()->Connect(recorder, 0);
        }
        ASSERT_FALSE(Change(Target(c.changed), c.value).Failed()) << c.what;
        EXPECT_EQ(ChangesIn(log.Take()), c.writes) << c.what;
        for (int32_t i = 0; i < 3; ++i) {
            EXPECT_EQ(IntOf(numbers[i]), c.after[static_cast<std::size_t>(i)]) << c.what << " " << numbers[i];
        }
    }
}
