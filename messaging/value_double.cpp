#include "messaging/value_double.h"

#include "messaging/value_step_scale.h"

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
    LValueDouble::SetAll(defaultValue, minimum, maximum, step, fineStep, defaultMarking, enabled);
}

void LValueDouble::SetAll(double defaultValue, double minimum, double maximum, double step, double fineStep,
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

bool LValueDouble::Clamp()
{
    if (!(value_ >= minimum_)) {
        value_ = minimum_;
        return false;
    }
    if (value_ > maximum_) {
        value_ = maximum_;
        return false;
    }
    return true;
}

void LValueDouble::CheckRange(LValueModifyMsg& msg)
{
    const double unclamped = value_;
    if (!Clamp() && (msg.flags & LValueMsg::kFlagQuiet) == 0) {
        msg.SetError(XAString::Format("Value ($$c1%^u$$c0) is not in range $$c1[%^u, %^u]$$c0!", unclamped,
                                      minimum_, maximum_),
                     -1);
    }
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
        out = step_;
        return true;
    case kItemFineStep:
        out = fineStep_;
        return true;
    default:
        return LValue::GetDouble(out, item);
    }
}

bool LValueDouble::GetInt(int32_t& out, int32_t item) const
{
    switch (item) {
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

void LValueDouble::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
    switch (msg.item) {
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

void LValueDouble::SetFromDouble(LValueModifyMsg& msg, double value)
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
        step_ = value;
        break;
    case kItemFineStep:
        fineStep_ = value;
        break;
    default:
        break;
    }
}
