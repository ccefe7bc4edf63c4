#include "conversion/cvt_pars_parameter_objects.h"

#include "conversion/cvt_par_table.h"
#include "conversion/lcvt_pars.h"
#include "conversion/lcvt_pars_dependency_checker.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_handler.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_handler_t.h"
#include "messaging/value_int.h"
#include "messaging/value_msg_to.h"
#include "messaging/value_string.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int32_t kValue = LValueModifyMsg::kItemValue;
// A click of a bound control: quiet, one-shot, interactive.
constexpr uint32_t kControlFlags = 0x10408;

LValue& ValueOf(int32_t n)
{
    return *CvtParsParameterObject(n).GetOwnerValue();
}

// The committed value of every parameter as text, to compare whole states.
std::vector<std::string> Snapshot()
{
    std::vector<std::string> values;
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        values.emplace_back(ValueOf(n).GetString(kValue).CStr());
    }
    return values;
}

bool HoldsDefault(int32_t n, const LCvtPars& record)
{
    const LValue& v = ValueOf(n);
    switch (CvtParDefinition(n).kind) {
    case CvtParKind::kSwitch:
        return v.GetInt(kValue) == *record.Switch(n);
    case CvtParKind::kInteger:
        return v.GetInt(kValue) == *record.Int(n);
    case CvtParKind::kReal:
        return v.GetDouble(kValue) == *record.Real(n);
    case CvtParKind::kText:
        return v.GetString(kValue) == *record.Text(n);
    }
    return false;
}

bool HasHandlerClassOfKind(int32_t n)
{
    LValueHandler* h = &CvtParsParameterObject(n);
    switch (CvtParDefinition(n).kind) {
    case CvtParKind::kSwitch:
    case CvtParKind::kInteger:
        return dynamic_cast<LValueHandlerT<LValueInt>*>(h) != nullptr;
    case CvtParKind::kReal:
        return dynamic_cast<LValueHandlerT<LValueDoubleFmt1>*>(h) != nullptr;
    case CvtParKind::kText:
        return dynamic_cast<LValueHandlerT<LValueString>*>(h) != nullptr;
    }
    return false;
}

} // namespace

TEST(CvtParsParameterObjects, EveryParameterStartsAtTheRecordsDefault)
{
    const LCvtPars& record = CvtParsDefaults();
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        EXPECT_TRUE(HasHandlerClassOfKind(n)) << n;
        EXPECT_TRUE(HoldsDefault(n, record)) << n;
        EXPECT_TRUE(ValueOf(n).IsEnabled()) << n;
        EXPECT_FALSE(ValueOf(n).IsDefaultMarked()) << n;
    }
    EXPECT_EQ(ValueOf(335).GetString(kValue), "C:\\AutoSave\\vuRant");
    EXPECT_EQ(ValueOf(336).GetString(kValue), "vuRant");
    EXPECT_EQ(ValueOf(318).GetString(kValue), "");
    for (int32_t n : {96, 98, 100}) {
        EXPECT_EQ(ValueOf(n).GetInt(kValue), -1) << n;
        EXPECT_EQ(ValueOf(n).GetInt(LValue::kItemMinimum), -1) << n;
    }
    EXPECT_STREQ(ValueOf(25).GetString(kValue).CStr(), " 0.000100000");
    EXPECT_STREQ(ValueOf(131).GetString(kValue).CStr(), " 135.0");
    EXPECT_EQ(&CvtParsParameterObject(0), &LValueHandlerDummy::Get());
    EXPECT_EQ(&CvtParsParameterObject(355), &LValueHandlerDummy::Get());
    EXPECT_NE(&CvtParsParameterObject(1), &CvtParsParameterObject(2));
}

TEST(CvtParsParameterObjects, SwitchStepsAreStoredScaled)
{
    const double step = 0.1 / 65536.0;
    for (int32_t n : {1, 16, 351}) {
        EXPECT_DOUBLE_EQ(ValueOf(n).GetDouble(LValue::kItemStep), step) << n;
        EXPECT_DOUBLE_EQ(ValueOf(n).GetDouble(LValue::kItemFineStep), step * 0.01) << n;
        EXPECT_EQ(ValueOf(n).GetInt(LValue::kItemMaximum), 1) << n;
    }
    EXPECT_DOUBLE_EQ(ValueOf(303).GetDouble(LValue::kItemStep), 2.0 / 65536.0);
}

TEST(CvtParsParameterObjects, RefusedValuesLeaveTheParameter)
{
    LValueModifyMsgTo fifteen(CvtParsParameterObject(15).AsReceiver());
    EXPECT_TRUE(fifteen.SendDouble(0, 0.0, kValue).Failed());
    EXPECT_EQ(ValueOf(15).GetDouble(kValue), 300.0);

    LValueModifyMsgTo text(CvtParsParameterObject(318).AsReceiver());
    EXPECT_TRUE(text.SendString(0, XAString(std::string(256, 'x').c_str()), kValue).Failed());
    EXPECT_EQ(ValueOf(318).GetString(kValue), "");
    EXPECT_FALSE(text.SendString(0, XAString(std::string(255, 'x').c_str()), kValue).Failed());
    EXPECT_EQ(ValueOf(318).GetString(kValue).Length(), 255);
    EXPECT_FALSE(text.SendReset(0, kValue).Failed());
    EXPECT_EQ(ValueOf(318).GetString(kValue), "");
}

// Nothing binds the checker's references, so a change from a control stays where it was made.
TEST(CvtParsParameterObjects, UnboundCheckerLeavesEveryOtherParameter)
{
    EXPECT_TRUE(CvtParsDependencyCheckerObject().Enabled);
    const std::vector<std::string> before = Snapshot();
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        LValueModifyMsgTo to(CvtParsParameterObject(n).AsReceiver());
        const bool isText = CvtParDefinition(n).kind == CvtParKind::kText;
        if (isText) {
            to.SendString(kControlFlags, "changed", kValue);
        } else {
            const CvtParDef& def = CvtParDefinition(n);
            to.SendDouble(kControlFlags, def.defaultValue != def.maximum ? def.maximum : def.minimum, kValue);
        }
        std::vector<std::string> after = Snapshot();
        EXPECT_NE(after[static_cast<std::size_t>(n - 1)], before[static_cast<std::size_t>(n - 1)]) << n;
        after[static_cast<std::size_t>(n - 1)] = before[static_cast<std::size_t>(n - 1)];
        ASSERT_EQ(after, before) << "changing " << n;
        to.SendReset(0, kValue);
    }
    EXPECT_EQ(Snapshot(), before);
}
