#pragma once
// LValueDoubleFmt1: a real value that also knows its display format: integer digits, fraction
// digits and total width. Its texts are written in that format.

#include "messaging/value_double.h"

class LValueDoubleFmt1 : public LValueDouble
{
  public:
    // Without arguments: as LValueDouble's, with the format (1, 4, 0).
    LValueDoubleFmt1();
    LValueDoubleFmt1(double defaultValue, double minimum, double maximum, double step, double fineStep,
                     int32_t intDigits, int32_t fracDigits, int32_t width);

    // SetAll with the default unmarked and the value enabled, and the format.
    virtual void SetAllWithFormat(double defaultValue, double minimum, double maximum, double step,
                                  double fineStep, int32_t intDigits, int32_t fracDigits, int32_t width);

    // Real items in the value's format; the switches as LValueDouble writes them.
    bool GetTextA(XAString& out, int32_t item) const override;

    int32_t IntDigits() const { return intDigits_; }
    int32_t FracDigits() const { return fracDigits_; }
    int32_t Width() const { return width_; }

  private:
    int32_t intDigits_ = 0;
    int32_t fracDigits_ = 0;
    int32_t width_ = 0;
};
