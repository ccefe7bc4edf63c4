#pragma once
// LValueDouble: a real value with default, limits and scaled steps (as LValueInt's). A value
// that is not a number is clamped to the minimum.

#include "messaging/value.h"

class LValueDouble : public LValue
{
  public:
    // Without arguments: 0.0 in [-2147483648, 2147483647], step 0.1.
    LValueDouble();
    LValueDouble(double defaultValue, double minimum, double maximum, double step, double fineStep,
                 bool defaultMarking, bool enabled);

    using LValue::GetDouble;
    using LValue::GetInt;

    // Value and default become `defaultValue`; the steps are stored scaled; the value is clamped.
    virtual void SetAll(double defaultValue, double minimum, double maximum, double step, double fineStep,
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
    double value_ = 0;
    double default_ = 0;
    double minimum_ = 0;
    double maximum_ = 0;
    double step_ = 0;
    double fineStep_ = 0;
    bool defaultMarking_ = false;
    bool enabled_ = true;
};
