#pragma once

// Fixed-layout number text: the building blocks of the text formatter.
//
// Every writer fills a caller-supplied buffer and ends it with a zero byte. Widths and digit
// counts are clamped to each writer's range, and no writer ever produces more than
// kMaxNumberText characters, so a buffer of kNumberTextSize bytes always suffices.
// Values that have no digits (NaN, infinities) are written as "NaN", "Inf" or "-Inf".

#include <cstdint>

constexpr int32_t kMaxNumberText = 255;
constexpr int32_t kNumberTextSize = kMaxNumberText + 1;

// Exactly `width` characters: the digits right-aligned, '-' directly before the first digit of a
// negative value, blanks to the left; when the digits do not fit only the lowest `width` remain.
void FmtIntRight(char* buffer, int32_t value, int32_t width);

// The lowest `digits` (0..8) hexadecimal digits, upper case, with leading zeros.
void FmtHex(char* buffer, uint32_t value, int32_t digits);

// Fixed form. Without a width (width <= 0) the integer part takes `intDigits` + 1 places (one for
// the sign) and `fracDigits` fraction digits follow. With a width the value is fitted into it and
// `intDigits` is not used. Fraction digits range over 0..9 (float) and 0..19 (double).
void FmtFloatFixed(char* buffer, float x, int32_t intDigits, int32_t fracDigits, int32_t width);
void FmtDoubleFixed(char* buffer, double x, int32_t intDigits, int32_t fracDigits, int32_t width);

// Exponent form: sign character (' ' or '-'), one digit, '.', the fraction digits, 'E', the
// exponent's sign and its digits (two for float, three for double). Fraction digits outside
// 1..5 (float) or 1..14 (double) mean the maximum.
void FmtFloatExp(char* buffer, float x, int32_t fracDigits);
void FmtDoubleExp(char* buffer, double x, int32_t fracDigits);

// Shortest form with about six (float) or fifteen (double) significant digits, always with a
// fraction ("2.5", "0.0"), or the exponent form for very small and very large values.
void FmtFloatGeneral(char* buffer, float x);
void FmtDoubleGeneral(char* buffer, double x);
