#include "messaging/value_double_fmt1.h"

namespace {

constexpr double kDefaultMinimum = -2147483648.0;
constexpr double kDefaultMaximum = 2147483647.0;
constexpr double kDefaultStep = 0.1;
constexpr int32_t kDefaultIntDigits = 1;
constexpr int32_t kDefaultFracDigits = 4;

} // namespace

LValueDoubleFmt1::LValueDoubleFmt1()
    : LValueDoubleFmt1(0.0, kDefaultMinimum, kDefaultMaximum, kDefaultStep, 0, kDefaultIntDigits,
                       kDefaultFracDigits, 0)
{
}

LValueDoubleFmt1::LValueDoubleFmt1(double defaultValue, double minimum, double maximum, double step,
                                   double fineStep, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    LValueDoubleFmt1::SetAllWithFormat(defaultValue, minimum, maximum, step, fineStep, intDigits, fracDigits,
                                       width);
}

void LValueDoubleFmt1::SetAllWithFormat(double defaultValue, double minimum, double maximum, double step,
                                        double fineStep, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    intDigits_ = intDigits;
    fracDigits_ = fracDigits;
    width_ = width;
    SetAll(defaultValue, minimum, maximum, step, fineStep, false, true);
}

bool LValueDoubleFmt1::GetTextA(XAString& out, int32_t item) const
{
    if (ItemType(item) != kItemTypeReal) {
        return LValueDouble::GetTextA(out, item);
    }
    return GetFormattedA(out, intDigits_, fracDigits_, width_, item);
}
