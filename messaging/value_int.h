#pragma once
// LValueInt: a 32-bit integer value with default and limits. Its step and fine step are reals,
// kept scaled by 2^-16 so that a step count of 65,536 units moves the value by one step.

#include "messaging/value_ranged.h"

class LValueInt : public LValueRanged<int32_t>
{
  public:
    // Without arguments: 0 in the whole 32-bit range, step 0.1.
    LValueInt();
    LValueInt(int32_t defaultValue, int32_t minimum, int32_t maximum, double step, double fineStep,
              bool defaultMarking, bool enabled);

    using LValue::GetDouble;
    using LValue::GetInt;

    int32_t ItemType(int32_t item) const override;
    bool GetTextA(XAString& out, int32_t item) const override;
    bool GetDouble(double& out, int32_t item) const override;
    bool GetInt(int32_t& out, int32_t item) const override;
    void SetFromInt(LValueModifyMsg& msg, int32_t value) override;
    void SetFromDouble(LValueModifyMsg& msg, double value) override;
};
