#pragma once
// The display form of a real value from three format integers: integer digits, fraction digits
// and total width. Without a width, a value with more integer digits than asked for takes them
// from the fraction digits, or goes to the exponent form when too few are left; magnitudes
// beyond the 32-bit integer range always use the exponent form.

#include <cstdint>

#include "foundation/strings/xa_string.h"

XAString FormatValueReal(double value, int32_t intDigits, int32_t fracDigits, int32_t width);
