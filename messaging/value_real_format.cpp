#include "messaging/value_real_format.h"

#include <cmath>

#include "foundation/strings/number_text.h"

namespace {

constexpr double kLargestFixed = 2147483647.0;
// A remaining magnitude from here up rounds to another integer digit.
constexpr double kNextDigitFrom = 9.9999999;

int32_t IntegerDigitsOf(double magnitude)
{
    int32_t digits = 1;
    while (magnitude >= kNextDigitFrom) {
        ++digits;
        magnitude /= 10;
    }
    return digits;
}

XAString ExponentForm(double value, int32_t fracDigits)
{
    char text[kNumberTextSize];
    FmtDoubleExp(text, value, fracDigits);
    return XAString(text);
}

} // namespace

XAString FormatValueReal(double value, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    const double magnitude = std::fabs(value);
    if (magnitude > kLargestFixed) {
        return ExponentForm(value, fracDigits);
    }
    if (width < 1) {
        const int32_t digits = IntegerDigitsOf(magnitude);
        if (digits > intDigits) {
            const int32_t missing = digits - intDigits;
            if (fracDigits < missing) {
                return ExponentForm(value, fracDigits);
            }
            fracDigits -= missing;
            intDigits = digits;
        }
    }
    char text[kNumberTextSize];
    FmtDoubleFixed(text, value, intDigits, fracDigits, width);
    return XAString(text);
}
