#pragma once
// LValueInt: a 32-bit integer value with default and limits. Its step and fine step are reals,
// kept scaled by 2^-16 so that a step count of 65,536 units moves the value by one step.

#include "messaging/value.h"

class LValueInt : public LValue
{
  public:
    // Without arguments: 0 in the whole 32-bit range, step 0.1.
    LValueInt();
    LValueInt(int32_t defaultValue, int32_t minimum, int32_t maximum, double step, double fineStep,
              bool defaultMarking, bool enabled);

    using LValue::GetDouble;
    using LValue::GetInt;

    // Value and default become `defaultValue`; the steps are stored scaled, a fine step of 0 as a
    // hundredth of the step; the value is clamped.
    virtual void SetAll(int32_t defaultValue, int32_t minimum, int32_t maximum, double step, double fineStep,
                        bool defaultMarking, bool enabled);
    // Clamps the value and answers an error into the message when it had to change, unless quiet.
    virtual void CheckRange(LValueModifyMsg& msg);
    // Brings the value into the limits; true when nothing had to change.
    virtual bool Clamp();

    int32_t ItemType(int32_t item) const override;
    bool GetTextA(XAString& out, int32_t item) const override;
    bool GetDouble(double& out, int32_t item) const override;
    bool GetInt(int32_t& out, int32_t item) const override;
    void SetFromInt(LValueModifyMsg& msg, int32_t value) override;
    void SetFromDouble(LValueModifyMsg& msg, double value) override;

  private:
    int32_t value_ = 0;
    int32_t default_ = 0;
    int32_t minimum_ = 0;
    int32_t maximum_ = 0;
    double step_ = 0;
    double fineStep_ = 0;
    bool defaultMarking_ = false;
    bool enabled_ = true;
};
