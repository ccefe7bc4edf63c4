#pragma once
// LValueDouble: a real value with default, limits and scaled steps (as LValueInt's). A value
// that is not a number is clamped to the minimum.

#include "messaging/value_ranged.h"

class LValueDouble : public LValueRanged<double>
{
  public:
    // Without arguments: 0.0 in [-2147483648, 2147483647], step 0.1.
    LValueDouble();
    LValueDouble(double defaultValue, double minimum, double maximum, double step, double fineStep,
                 bool defaultMarking, bool enabled);

    using LValue::GetDouble;
    using LValue::GetInt;

    int32_t ItemType(int32_t item) const override;
    bool GetTextA(XAString& out, int32_t item) const override;
    bool GetDouble(double& out, int32_t item) const override;
    void SetFromDouble(LValueModifyMsg& msg, double value) override;
};
