#include "foundation/text/simple_parser.h"

#include <charconv>

namespace {

constexpr char kIntegerExpected[] = "Integer value expected!";
constexpr char kDecimalDigitExpected[] = "Decimal digit expected !";
constexpr char kExponentSyntax[] = "Exponent syntax error!";
constexpr char kExponentOverflow[] = "Exponent overflow!";
constexpr char kNothingElse[] = "Nothing else expected!";

// Largest value that can take another decimal digit in 32 bits, and the largest digit it takes.
constexpr uint32_t kUnsignedTenth = 429496729;
constexpr uint32_t kUnsignedLastDigit = 5;

constexpr double kDoubleLimit = 1e308;
constexpr int32_t kMaxExponentDigits = 3;
constexpr int32_t kHundred = 100;
constexpr int32_t kTen = 10;

// The formatter writes only signed integers, so unsigned limits are written here.
struct UnsignedText
{
    explicit UnsignedText(uint32_t value) { *std::to_chars(text, text + sizeof text - 1, value).ptr = 0; }
    char text[16] = {};
};

} // namespace

LSimpleParser::LSimpleParser(const char* text) : position_(text != nullptr ? text : ""), lineStart_(position_)
{
}

bool LSimpleParser::SkipBlanks()
{
    const char* start = position_;
    while (*position_ == ' ' || *position_ == '\t') {
        ++position_;
    }
    return position_ != start;
}

bool LSimpleParser::ExpectEnd()
{
    return *position_ == 0 || RecordError(kNothingElse);
}

CError LSimpleParser::GetError() const
{
    return error_.IsEmpty() ? CError() : CError::CErrorFromText(error_, 0);
}

bool LSimpleParser::RecordError(const XAString& message)
{
    if (error_.IsEmpty()) {
        error_ = XAString::Format("At line %d, col %d: %s", line_, Column(), message);
    }
    return false;
}

void LSimpleParser::SkipDigits()
{
    while (AtDigit()) {
        ++position_;
    }
}

bool LSimpleParser::UnsignedRangeError(uint32_t min, uint32_t max)
{
    return RecordError(
        XAString::Format("Value not in range [%s, %s]!", UnsignedText(min).text, UnsignedText(max).text));
}

bool LSimpleParser::IntRangeError(int32_t min, int32_t max)
{
    return RecordError(XAString::Format("Value not in range [%d, %d]!", min, max));
}

bool LSimpleParser::ReadInt(int32_t& out)
{
    return ReadIntRange(out, INT32_MIN, INT32_MAX);
}

bool LSimpleParser::ReadUnsignedRange(uint32_t& out, uint32_t min, uint32_t max)
{
    out = 0;
    const char sign = *position_;
    if (sign == '-' && IsDigit(position_[1])) {
        ++position_;
        SkipDigits();
        return UnsignedRangeError(min, max);
    }
    if (sign == '+' || sign == '-') {
        if (!IsDigit(position_[1])) {
            return RecordError(kIntegerExpected);
        }
        ++position_;
    }
    if (!AtDigit()) {
        return RecordError(kIntegerExpected);
    }
    uint32_t value = 0;
    while (AtDigit()) {
        const uint32_t digit = static_cast<uint32_t>(*position_++ - '0');
        // The digit that overflows, or that passes the maximum, counts as read.
        if (value > kUnsignedTenth || (value == kUnsignedTenth && digit > kUnsignedLastDigit)) {
            out = max;
            return UnsignedRangeError(min, max);
        }
        value = value * 10 + digit;
        if (value > max) {
            out = max;
            return UnsignedRangeError(min, max);
        }
    }
    if (value < min) {
        out = min;
        return UnsignedRangeError(min, max);
    }
    out = value;
    return true;
}

bool LSimpleParser::ReadIntRange(int32_t& out, int32_t min, int32_t max)
{
    out = 0;
    bool minus = false;
    if (*position_ == '+' || *position_ == '-') {
        minus = *position_++ == '-';
    }
    if (!AtDigit()) {
        return RecordError(kIntegerExpected);
    }
    uint32_t magnitude = 0;
    bool ok = ReadUnsignedRange(magnitude, 0, UINT32_MAX);
    // Magnitudes compared as 64-bit numbers, so -2147483648 needs no special case.
    const int64_t value = minus ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value > max) {
        out = max;
        return IntRangeError(min, max);
    }
    if (value < min) {
        out = min;
        return IntRangeError(min, max);
    }
    out = static_cast<int32_t>(value);
    return ok;
}

bool LSimpleParser::ReadDouble(double& out)
{
    return ReadDoubleRange(out, -kDoubleLimit, kDoubleLimit);
}

bool LSimpleParser::ReadExponent(double& value)
{
    ++position_;
    bool minus = false;
    if (*position_ == '+' || *position_ == '-') {
        minus = *position_++ == '-';
    }
    if (!AtDigit()) {
        return RecordError(kExponentSyntax);
    }
    int32_t exponent = 0;
    for (int32_t digits = 0; AtDigit(); ++digits) {
        if (digits == kMaxExponentDigits) {
            return RecordError(kExponentOverflow);
        }
        exponent = exponent * 10 + (*position_++ - '0');
    }
    // Stepwise scaling, as the stored numbers were always read.
    const double hundred = minus ? 1e-100 : 1e100;
    const double ten = minus ? 1e-10 : 1e10;
    const double one = minus ? 0.1 : 10.0;
    for (int32_t i = exponent / kHundred; i > 0; --i) {
        value *= hundred;
    }
    for (int32_t i = exponent % kHundred / kTen; i > 0; --i) {
        value *= ten;
    }
    for (int32_t i = exponent % kTen; i > 0; --i) {
        value *= one;
    }
    return true;
}

bool LSimpleParser::ReadDoubleRange(double& out, double min, double max)
{
    out = 0;
    bool minus = false;
    if (*position_ == '+' || *position_ == '-') {
        minus = *position_++ == '-';
    }
    const bool startsWithPoint = IsDecimalPoint(*position_);
    if (startsWithPoint ? !IsDigit(position_[1]) : !AtDigit()) {
        return RecordError(kDecimalDigitExpected);
    }
    double value = 0;
    while (AtDigit()) {
        value = value * 10 + (*position_++ - '0');
    }
    if (IsDecimalPoint(*position_)) {
        ++position_;
        double factor = 0.1;
        while (AtDigit()) {
            value += (*position_++ - '0') * factor;
            factor *= 0.1;
        }
    }
    if (minus) {
        value = -value;
    }
    if ((*position_ == 'e' || *position_ == 'E') && !ReadExponent(value)) {
        return false;
    }
    if (value < min || value > max) {
        out = value < min ? min : max;
        return RecordError(XAString::Format("Value not in range [%^u, %^u]!", min, max));
    }
    out = value;
    return true;
}
