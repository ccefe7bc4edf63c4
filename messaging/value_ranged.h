#pragma once
// LValueRanged<T>: a number of type T (int32_t or double) with default and limits, and a step and
// fine step kept scaled (value_step_scale.h). The value classes of both types share it: it stores
// these items, clamps the value and answers the range error; each class serves the items' types.

#include "messaging/value_marked.h"

template <class T> class LValueRanged : public LValueMarked
{
  public:
    // Value and default become `defaultValue`; the steps are stored scaled, a fine step of 0 as a
    // hundredth of the step; the value is clamped.
    virtual void SetAll(T defaultValue, T minimum, T maximum, double step, double fineStep,
                        bool defaultMarking, bool enabled);
    // Clamps the value and answers an error into the message when it had to change, unless quiet.
    virtual void CheckRange(LValueModifyMsg& msg);
    // Brings the value into the limits (a real that is not a number to the minimum); true when
    // nothing had to change.
    virtual bool Clamp();

  protected:
    // The value, default or a limit; false, with out untouched, for any other item.
    bool GetRangedItem(T& out, int32_t item) const;
    // The step or the fine step as stored; false, with out untouched, for any other item.
    bool GetStepItem(double& out, int32_t item) const;
    // Stores the value (checked against the limits), the default or a limit (the value re-clamped
    // when the message asks); false for any other item.
    bool SetRangedItem(LValueModifyMsg& msg, T value);
    // Stores the step or the fine step as given, unscaled; false for any other item.
    bool SetStepItem(int32_t item, double value);

  private:
    T value_ = 0;
    T default_ = 0;
    T minimum_ = 0;
    T maximum_ = 0;
    double step_ = 0;
    double fineStep_ = 0;
};

extern template class LValueRanged<int32_t>;
extern template class LValueRanged<double>;
