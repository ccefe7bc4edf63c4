#pragma once
// Conversions of reals into the 32-bit integers of the value model: truncated toward zero and
// limited to the 32-bit range. A NaN has no integer value and counts as the smallest one.

#include <cstdint>

int32_t RealToInt32(double value);
// The same for a 64-bit integer intermediate.
int32_t LimitToInt32(int64_t value);
