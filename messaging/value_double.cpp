#include "messaging/value_double.h"

namespace {

constexpr double kDefaultMinimum = -2147483648.0;
constexpr double kDefaultMaximum = 2147483647.0;
constexpr double kDefaultStep = 0.1;

} // namespace

LValueDouble::LValueDouble()
    : LValueDouble(0.0, kDefaultMinimum, kDefaultMaximum, kDefaultStep, 0, false, true)
{
}

LValueDouble::LValueDouble(double defaultValue, double minimum, double maximum, double step, double fineStep,
                           bool defaultMarking, bool enabled)
{
    LValueRanged::SetAll(defaultValue, minimum, maximum, step, fineStep, defaultMarking, enabled);
}

int32_t LValueDouble::ItemType(int32_t item) const
{
    return item == kItemDefaultMark || item == kItemEnabled ? kItemTypeInteger : kItemTypeReal;
}

bool LValueDouble::GetTextA(XAString& out, int32_t item) const
{
    double real = 0;
    int32_t integer = 0;
    if (GetDouble(real, item)) {
        out = XAString::Format("%^u", real);
    } else if (GetInt(integer, item)) {
        out = XAString::Format("%d", integer);
    } else {
        out = XAString();
        return false;
    }
    return true;
}

bool LValueDouble::GetDouble(double& out, int32_t item) const
{
    return GetRangedItem(out, item) || GetStepItem(out, item) || LValue::GetDouble(out, item);
}

void LValueDouble::SetFromDouble(LValueModifyMsg& msg, double value)
{
    if (!SetRangedItem(msg, value)) {
        SetStepItem(msg.item, value);
    }
}
