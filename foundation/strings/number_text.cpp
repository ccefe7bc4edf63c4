#include "foundation/strings/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int32_t kMaxHexDigits = 8;

// log10(2): turns a binary exponent into a decimal one.
constexpr double kLog10Of2 = 0.30102999566398119523;

// The fraction is produced in groups of digits that fit a 32-bit integer.
constexpr int32_t kFractionGroup = 9;

// Room for the integer digits of the largest double (309 digits) and a terminator.
constexpr int32_t kIntegerTextSize = 320;

constexpr float kFloatPowers[] = {1e0f,  1e1f,  1e2f,  1e3f,  1e4f,  1e5f,  1e6f,  1e7f,  1e8f,  1e9f,
                                  1e10f, 1e11f, 1e12f, 1e13f, 1e14f, 1e15f, 1e16f, 1e17f, 1e18f, 1e19f};
constexpr double kDoublePowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

template <class T> struct RealForm;

template <> struct RealForm<float>
{
    static constexpr const float* kPowers = kFloatPowers;
    static constexpr int32_t kMaxFixedFraction = 9;
    static constexpr int32_t kExpFraction = 5;
    static constexpr int32_t kExpDigits = 2;
    static constexpr double kExpRounding = 5e-6;
    static constexpr double kGeneralSmall = 0.000999999;
    static constexpr double kGeneralLarge = 1e6;
    static constexpr int32_t kGeneralDigits = 6;
};

template <> struct RealForm<double>
{
    static constexpr const double* kPowers = kDoublePowers;
    static constexpr int32_t kMaxFixedFraction = 19;
    static constexpr int32_t kExpFraction = 14;
    static constexpr int32_t kExpDigits = 3;
    static constexpr double kExpRounding = 5e-15;
    static constexpr double kGeneralSmall = 0.000999999999999999;
    static constexpr double kGeneralLarge = 1e9;
    static constexpr int32_t kGeneralDigits = 15;
};

// Exactly `width` characters: the lowest digits right-aligned, the sign before them when there
// is a place left for it, blanks in front. No terminator.
void WriteDigitsRight(char* out, int32_t width, std::string_view digits, bool negative)
{
    const int32_t kept = std::min<int32_t>(width, static_cast<int32_t>(digits.size()));
    const int32_t blanks = width - kept;
    std::memset(out, ' ', blanks);
    std::memcpy(out + blanks, digits.data() + digits.size() - kept, kept);
    if (negative && blanks > 0) {
        out[blanks - 1] = '-';
    }
}

// Writes `value` as exactly `digits` decimal digits with leading zeros. No terminator.
void WriteZeroPadded(char* out, uint64_t value, int32_t digits)
{
    for (int32_t i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// The decimal digits of the integer part of |x|, exact for every finite value.
template <class T> std::string_view IntegerDigits(T x, char (&text)[kIntegerTextSize])
{
    const auto result =
        std::to_chars(text, text + kIntegerTextSize, std::trunc(std::fabs(x)), std::chars_format::fixed, 0);
    return {text, static_cast<size_t>(result.ptr - text)};
}

template <class T> int32_t IntegerDigitCount(T x)
{
    char text[kIntegerTextSize];
    return static_cast<int32_t>(IntegerDigits(x, text).size());
}

std::string_view NonFiniteWord(double x)
{
    if (std::isnan(x)) {
        return "NaN";
    }
    return x < 0 ? "-Inf" : "Inf";
}

// A value without digits, right-aligned in `width` characters (or its own length when wider).
void WriteNonFinite(char* buffer, double x, int32_t width)
{
    const std::string_view word = NonFiniteWord(x);
    const int32_t length = static_cast<int32_t>(word.size());
    const int32_t blanks = std::clamp(width, length, kMaxNumberText) - length;
    std::memset(buffer, ' ', blanks);
    std::memcpy(buffer + blanks, word.data(), word.size());
    buffer[blanks + length] = 0;
}

template <class T> T RoundToFraction(T x, int32_t fracDigits)
{
    const T half = T(0.5) / RealForm<T>::kPowers[fracDigits];
    return x < 0 ? x - half : x + half;
}

// Appends '.' and the fraction digits of `rounded`, then the terminator.
template <class T> void WriteFraction(char* out, T rounded, int32_t fracDigits)
{
    T rest = std::fabs(rounded - std::trunc(rounded));
    *out++ = '.';
    for (int32_t remaining = fracDigits; remaining > 0;) {
        const int32_t group = std::min(remaining, kFractionGroup);
        const uint32_t groupLimit = static_cast<uint32_t>(kDoublePowers[group]) - 1;
        rest *= RealForm<T>::kPowers[group];
        const uint32_t digits = std::min(static_cast<uint32_t>(rest), groupLimit);
        rest -= static_cast<T>(digits);
        WriteZeroPadded(out, digits, group);
        out += group;
        remaining -= group;
    }
    *out = 0;
}

template <class T> void WriteFixed(char* buffer, T x, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    if (!std::isfinite(x)) {
        WriteNonFinite(buffer, x, width > 0 ? width : std::max(intDigits, 0) + 1);
        return;
    }
    fracDigits = std::clamp(fracDigits, 0, RealForm<T>::kMaxFixedFraction);
    const bool negative = x < 0;
    T rounded;
    if (width > 0) {
        const int32_t fitted = std::min(width, kMaxNumberText);
        const int32_t signPlace = negative ? 1 : 0;
        const int32_t digits = IntegerDigitCount(x);
        const int32_t room = fitted - 1 - digits - signPlace;
        fracDigits = std::clamp(room, 0, fracDigits);
        rounded = RoundToFraction(x, fracDigits);
        const int32_t roundedDigits = IntegerDigitCount(rounded);
        if (roundedDigits > digits) {
            fracDigits = std::clamp(room - (roundedDigits - digits), 0, fracDigits);
        }
        intDigits = roundedDigits;
    } else {
        rounded = RoundToFraction(x, fracDigits);
    }
    const int32_t fractionPlaces = fracDigits > 0 ? fracDigits + 1 : 0;
    int32_t field = std::clamp(intDigits, 0, kMaxNumberText - 1 - fractionPlaces) + 1;
    char integerText[kIntegerTextSize];
    const std::string_view integerDigits = IntegerDigits(rounded, integerText);
    // The '-' of a value between -1 and 0 goes in front of its 0 even in a one-place field.
    if (negative && field == 1 && integerDigits == "0") {
        field = 2;
    }
    WriteDigitsRight(buffer, field, integerDigits, negative);
    if (fracDigits > 0) {
        WriteFraction(buffer + field, rounded, fracDigits);
    } else {
        buffer[field] = 0;
    }
}

long double PowerOfTen(int32_t exponent)
{
    // Long double reaches below the smallest double, so subnormal values keep their mantissa.
    return std::pow(10.0L, static_cast<long double>(exponent));
}

// The fraction digits of a mantissa, as many as the form can give.
template <class T> void MantissaFractionDigits(char* out, double fraction);

template <> void MantissaFractionDigits<float>(char* out, double fraction)
{
    constexpr int32_t kDigits = 5;
    const uint64_t digits = std::min<uint64_t>(static_cast<uint64_t>(fraction * 1e5), 99999);
    WriteZeroPadded(out, digits, kDigits);
}

template <> void MantissaFractionDigits<double>(char* out, double fraction)
{
    constexpr int32_t kHighDigits = 9;
    constexpr int32_t kLowDigits = 5;
    const double scaled = fraction * 1e9;
    const uint64_t high = std::min<uint64_t>(static_cast<uint64_t>(scaled), 999999999);
    const uint64_t low = std::min<uint64_t>(static_cast<uint64_t>((scaled - high) * 1e5), 99999);
    WriteZeroPadded(out, high, kHighDigits);
    WriteZeroPadded(out + kHighDigits, low, kLowDigits);
}

template <class T> void WriteExp(char* buffer, T x, int32_t fracDigits)
{
    using Form = RealForm<T>;
    if (fracDigits < 1 || fracDigits > Form::kExpFraction) {
        fracDigits = Form::kExpFraction;
    }
    char* out = buffer;
    *out++ = x < 0 ? '-' : ' ';
    if (!std::isfinite(x)) {
        const std::string_view word = std::isnan(x) ? "NaN" : "Inf";
        std::memcpy(out, word.data(), word.size());
        out[word.size()] = 0;
        return;
    }
    const double magnitude = std::fabs(static_cast<double>(x));
    int32_t exponent = 0;
    double mantissa = 0;
    if (magnitude != 0) {
        exponent = static_cast<int32_t>(std::floor(std::log2(magnitude) * kLog10Of2));
        mantissa = static_cast<double>(magnitude / PowerOfTen(exponent));
        // The estimate may land one too high just below a power of ten.
        if (mantissa < 1) {
            mantissa *= 10;
            --exponent;
        }
    }
    mantissa += Form::kExpRounding;
    if (mantissa >= 10) {
        mantissa *= 0.1;
        ++exponent;
    }
    const int32_t leading = static_cast<int32_t>(mantissa);
    *out++ = static_cast<char>('0' + leading);
    *out++ = '.';
    char fraction[Form::kExpFraction];
    MantissaFractionDigits<T>(fraction, mantissa - leading);
    std::memcpy(out, fraction, fracDigits);
    out += fracDigits;
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    WriteZeroPadded(out, static_cast<uint64_t>(std::abs(exponent)), Form::kExpDigits);
    out[Form::kExpDigits] = 0;
}

// Drops the leading blanks and the trailing fraction zeros of a fixed text and makes sure it
// ends in a fraction of at least one digit.
void TidyGeneralText(char* buffer)
{
    const size_t start = std::strspn(buffer, " ");
    size_t length = std::strlen(buffer) - start;
    std::memmove(buffer, buffer + start, length + 1);
    if (std::strchr(buffer, '.') == nullptr) {
        std::memcpy(buffer + length, ".0", 3);
        return;
    }
    while (buffer[length - 1] == '0') {
        --length;
    }
    if (buffer[length - 1] == '.') {
        buffer[length++] = '0';
    }
    buffer[length] = 0;
}

template <class T> void WriteGeneral(char* buffer, T x)
{
    using Form = RealForm<T>;
    if (!std::isfinite(x)) {
        WriteNonFinite(buffer, x, 0);
        return;
    }
    const double magnitude = std::fabs(static_cast<double>(x));
    if (magnitude != 0 && (magnitude <= Form::kGeneralSmall || magnitude >= Form::kGeneralLarge)) {
        WriteExp(buffer, x, Form::kExpFraction);
        return;
    }
    int32_t intDigits = 1;
    int32_t fracDigits = 0;
    if (magnitude != 0) {
        const int32_t exponent = static_cast<int32_t>(std::floor(std::log2(magnitude) * kLog10Of2));
        intDigits = exponent < 0 ? 1 : exponent + 1;
        fracDigits = std::clamp(Form::kGeneralDigits - 1 - exponent, 0, Form::kMaxFixedFraction);
    }
    // One spare place: a rounding carry (999.9999 becoming 1000.000) must not push out the sign.
    WriteFixed(buffer, x, intDigits + 1, fracDigits, 0);
    TidyGeneralText(buffer);
}

} // namespace

void FmtIntRight(char* buffer, int32_t value, int32_t width)
{
    width = std::clamp(width, 0, kMaxNumberText);
    const uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
    WriteDigitsRight(buffer, width, {digits, static_cast<size_t>(result.ptr - digits)}, value < 0);
    buffer[width] = 0;
}

void FmtHex(char* buffer, uint32_t value, int32_t digits)
{
    digits = std::clamp(digits, 0, kMaxHexDigits);
    for (int32_t i = digits - 1; i >= 0; --i) {
        buffer[i] = kHexDigits[value & 0xF];
        value >>= 4;
    }
    buffer[digits] = 0;
}

void FmtFloatFixed(char* buffer, float x, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    WriteFixed(buffer, x, intDigits, fracDigits, width);
}

void FmtDoubleFixed(char* buffer, double x, int32_t intDigits, int32_t fracDigits, int32_t width)
{
    WriteFixed(buffer, x, intDigits, fracDigits, width);
}

void FmtFloatExp(char* buffer, float x, int32_t fracDigits)
{
    WriteExp(buffer, x, fracDigits);
}

void FmtDoubleExp(char* buffer, double x, int32_t fracDigits)
{
    WriteExp(buffer, x, fracDigits);
}

void FmtFloatGeneral(char* buffer, float x)
{
    WriteGeneral(buffer, x);
}

void FmtDoubleGeneral(char* buffer, double x)
{
    WriteGeneral(buffer, x);
}
