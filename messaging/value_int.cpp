#include "messaging/value_int.h"

#include <limits>

#include "messaging/internal/value_real_convert.h"
#include "messaging/value_step_scale.h"

namespace {

constexpr double kDefaultStep = 0.1;

} // namespace

LValueInt::LValueInt()
    : LValueInt(0, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), kDefaultStep, 0,
                false, true)
{
}

LValueInt::LValueInt(int32_t defaultValue, int32_t minimum, int32_t maximum, double step, double fineStep,
                     bool defaultMarking, bool enabled)
{
    LValueRanged::SetAll(defaultValue, minimum, maximum, step, fineStep, defaultMarking, enabled);
}

int32_t LValueInt::ItemType(int32_t item) const
{
    return item == kItemStep || item == kItemFineStep ? kItemTypeReal : kItemTypeInteger;
}

bool LValueInt::GetTextA(XAString& out, int32_t item) const
{
    if (ItemType(item) == kItemTypeReal) {
        const double value = GetDouble(item);
        out = XAString::Format("%^u", value);
        return true;
    }
    int32_t value = 0;
    if (!GetInt(value, item)) {
        out = XAString();
        return false;
    }
    out = XAString::Format("%d", value);
    return true;
}

bool LValueInt::GetDouble(double& out, int32_t item) const
{
    return GetStepItem(out, item) || LValue::GetDouble(out, item);
}

bool LValueInt::GetInt(int32_t& out, int32_t item) const
{
    if (GetRangedItem(out, item)) {
        return true;
    }
    if (item == kItemStep || item == kItemFineStep) {
        out = RealToInt32(GetDouble(item));
        return true;
    }
    return LValueRanged::GetInt(out, item);
}

void LValueInt::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
    if (!SetRangedItem(msg, value) && !SetStepItem(msg.item, value)) {
        LValueRanged::SetFromInt(msg, value);
    }
}

void LValueInt::SetFromDouble(LValueModifyMsg& msg, double value)
{
    if (!SetStepItem(msg.item, value)) {
        SetFromInt(msg, RealToInt32(value));
    }
}
