#include "messaging/value_ranged.h"

#include "messaging/value_step_scale.h"

namespace {

XAString RangeErrorText(int32_t value, int32_t minimum, int32_t maximum)
{
    return XAString::Format("Value ($$c1%d$$c0) is not in range $$c1[%d, %d]$$c0!", value, minimum, maximum);
}

XAString RangeErrorText(double value, double minimum, double maximum)
{
    return XAString::Format("Value ($$c1%^u$$c0) is not in range $$c1[%^u, %^u]$$c0!", value, minimum,
                            maximum);
}

} // namespace

template <class T>
void LValueRanged<T>::SetAll(T defaultValue, T minimum, T maximum, double step, double fineStep,
                             bool defaultMarking, bool enabled)
{
    value_ = defaultValue;
    default_ = defaultValue;
    minimum_ = minimum;
    maximum_ = maximum;
    step_ = ScaledStep(step);
    fineStep_ = ScaledFineStep(fineStep, step_);
    SetMarks(defaultMarking, enabled);
    Clamp();
}

template <class T> bool LValueRanged<T>::Clamp()
{
    // Written so that a real that is not a number fails the first test.
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

template <class T> void LValueRanged<T>::CheckRange(LValueModifyMsg& msg)
{
    const T unclamped = value_;
    if (!Clamp() && !IsQuiet(msg)) {
        msg.SetError(RangeErrorText(unclamped, minimum_, maximum_), -1);
    }
}

template <class T> bool LValueRanged<T>::GetRangedItem(T& out, int32_t item) const
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
    default:
        return false;
    }
}

template <class T> bool LValueRanged<T>::GetStepItem(double& out, int32_t item) const
{
    switch (item) {
    case kItemStep:
        out = step_;
        return true;
    case kItemFineStep:
        out = fineStep_;
        return true;
    default:
        return false;
    }
}

template <class T> bool LValueRanged<T>::SetRangedItem(LValueModifyMsg& msg, T value)
{
    switch (msg.item) {
    case kItemValue:
        value_ = value;
        CheckRange(msg);
        return true;
    case kItemDefault:
        default_ = value;
        return true;
    case kItemMinimum:
    case kItemMaximum:
        (msg.item == kItemMinimum ? minimum_ : maximum_) = value;
        if (ReclampsAtOnce(msg)) {
            Clamp();
        }
        return true;
    default:
        return false;
    }
}

template <class T> bool LValueRanged<T>::SetStepItem(int32_t item, double value)
{
    switch (item) {
    case kItemStep:
        step_ = value;
        return true;
    case kItemFineStep:
        fineStep_ = value;
        return true;
    default:
        return false;
    }
}

template class LValueRanged<int32_t>;
template class LValueRanged<double>;
