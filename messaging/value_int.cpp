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
    LValueInt::SetAll(defaultValue, minimum, maximum, step, fineStep, defaultMarking, enabled);
}

void LValueInt::SetAll(int32_t defaultValue, int32_t minimum, int32_t maximum, double step, double fineStep,
                       bool defaultMarking, bool enabled)
{
    value_ = defaultValue;
    default_ = defaultValue;
    minimum_ = minimum;
    maximum_ = maximum;
    step_ = ScaledStep(step);
    fineStep_ = ScaledFineStep(fineStep, step_);
    defaultMarking_ = defaultMarking;
    enabled_ = enabled;
    Clamp();
}

bool LValueInt::Clamp()
{
    if (value_ < minimum_) {
        value_ = minimum_;
        return false;
    }
    if (value_ > maximum_) {
        value_ = maximum_;
        return false;
    }
    return true;
}

void LValueInt::CheckRange(LValueModifyMsg& msg)
{
    const int32_t unclamped = value_;
    if (!Clamp() && (msg.flags & LValueMsg::kFlagQuiet) == 0) {
        msg.SetError(XAString::Format("Value ($$c1%d$$c0) is not in range $$c1[%d, %d]$$c0!", unclamped,
                                      minimum_, maximum_),
                     -1);
    }
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
    switch (item) {
    case kItemStep:
        out = step_;
        return true;
    case kItemFineStep:
        out = fineStep_;
        return true;
    default:
        return LValue::GetDouble(out, item);
    }
}

bool LValueInt::GetInt(int32_t& out, int32_t item) const
{
    switch (item) {
    case kItemValue:
        out = value_;
        return true;
    case kItemDefault:
        out = default_;
        return true;
    case kItemMinimum:
        out = minimum_;
        return true;
    case kItemMaximum:
        out = maximum_;
        return true;
    case kItemStep:
    case kItemFineStep:
        out = RealToInt32(GetDouble(item));
        return true;
    case kItemDefaultMark:
        out = defaultMarking_ ? 1 : 0;
        return true;
    case kItemEnabled:
        out = enabled_ ? 1 : 0;
        return true;
    default:
        return LValue::GetInt(out, item);
    }
}

void LValueInt::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
    switch (msg.item) {
    case kItemValue:
        value_ = value;
        CheckRange(msg);
        break;
    case kItemDefault:
        default_ = value;
        break;
    case kItemMinimum:
    case kItemMaximum:
        (msg.item == kItemMinimum ? minimum_ : maximum_) = value;
        if ((msg.flags & (LValueMsg::kFlagQuiet | LValueMsg::kFlagReclamp)) != 0) {
            Clamp();
        }
        break;
    case kItemStep:
    case kItemFineStep:
        SetFromDouble(msg, value);
        break;
    case kItemDefaultMark:
        defaultMarking_ = value != 0;
        break;
    case kItemEnabled:
        enabled_ = value != 0;
        break;
    default:
        break;
    }
}

void LValueInt::SetFromDouble(LValueModifyMsg& msg, double value)
{
    switch (msg.item) {
    case kItemStep:
        step_ = value;
        break;
    case kItemFineStep:
        fineStep_ = value;
        break;
    default:
        SetFromInt(msg, RealToInt32(value));
        break;
    }
}
