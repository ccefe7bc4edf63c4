#include "platform/com/z_variant.h"

#include "platform/com/ascii_case.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

namespace {

constexpr int32_t kVariantTrue = -1;
constexpr char kTrueText[] = "True";
constexpr char kFalseText[] = "False";
// Enough digits that a 32-bit real reads back as itself.
constexpr int kRealDigits = 9;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A decimal number in the C locale (sign, digits, point, exponent); no hexadecimal, no "inf" or
// "nan", nothing after it but blanks.
std::optional<double> ParseNumber(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::string_view digits = text;
    if (digits.front() == '+' || digits.front() == '-') {
        digits.remove_prefix(1);
    }
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    // from_chars refuses a leading '+', which a text may carry.
    const std::string_view unsigned_ = text.front() == '+' ? text.substr(1) : text;
    const auto [end, error] = std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
    if (end != unsigned_.data() + unsigned_.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<double>::infinity();
    }
    if (error != std::errc()) {
        return std::nullopt;
    }
    return value;
}

HRESULT ToI4(double value, ZVariant& out)
{
    if (!std::isfinite(value)) {
        return DISP_E_OVERFLOW;
    }
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max()) {
        return DISP_E_OVERFLOW;
    }
    out = ZVariant::FromI4(static_cast<int32_t>(rounded));
    return S_OK;
}

HRESULT ToR4(double value, ZVariant& out)
{
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return DISP_E_OVERFLOW;
    }
    out = ZVariant::FromR4(static_cast<float>(value));
    return S_OK;
}

std::string RealText(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.*g", kRealDigits, static_cast<double>(value));
    // Fewer digits when they already read back as the same real: 0.29 rather than 0.289999992;
    // but never an exponent that the full digits do without: 100 rather than 1e+02.
    const bool exponent = std::strchr(text, 'e') != nullptr;
    for (int digits = 1; digits < kRealDigits; ++digits) {
        char shorter[32];
        std::snprintf(shorter, sizeof(shorter), "%.*g", digits, static_cast<double>(value));
        if (std::strtof(shorter, nullptr) == value && (exponent || std::strchr(shorter, 'e') == nullptr)) {
            return shorter;
        }
    }
    return text;
}

HRESULT ConvertText(const std::string& text, ZVariantType to, ZVariant& out)
{
    if (to == ZVariantType::Bool) {
        if (EqualsIgnoringAsciiCase(Trimmed(text), kTrueText)) {
            out = ZVariant::FromBool(true);
            return S_OK;
        }
        if (EqualsIgnoringAsciiCase(Trimmed(text), kFalseText)) {
            out = ZVariant::FromBool(false);
            return S_OK;
        }
    }
    const std::optional<double> number = ParseNumber(text);
    if (!number) {
        return DISP_E_TYPEMISMATCH;
    }
    switch (to) {
    case ZVariantType::I4:
        return ToI4(*number, out);
    case ZVariantType::R4:
        return ToR4(*number, out);
    case ZVariantType::Bool:
        if (!std::isfinite(*number)) {
            return DISP_E_OVERFLOW;
        }
        out = ZVariant::FromBool(*number != 0);
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace

ZVariant ZVariant::FromI4(int32_t value)
{
    ZVariant variant;
    variant.type_ = ZVariantType::I4;
    variant.i4_ = value;
    return variant;
}

ZVariant ZVariant::FromR4(float value)
{
    ZVariant variant;
    variant.type_ = ZVariantType::R4;
    variant.r4_ = value;
    return variant;
}

ZVariant ZVariant::FromBool(bool value)
{
    ZVariant variant;
    variant.type_ = ZVariantType::Bool;
    variant.bool_ = value;
    return variant;
}

ZVariant ZVariant::FromText(std::string value)
{
    ZVariant variant;
    variant.type_ = ZVariantType::Text;
    variant.text_ = std::move(value);
    return variant;
}

HRESULT ZVariant::ChangeType(ZVariantType to, ZVariant& out) const
{
    if (to == type_) {
        out = *this;
        return S_OK;
    }
    switch (to) {
    case ZVariantType::Empty:
        out = ZVariant();
        return S_OK;
    case ZVariantType::Text:
        out = FromText(ZVariantDisplayText(*this));
        return S_OK;
    default:
        break;
    }
    switch (type_) {
    case ZVariantType::Empty:
        return ZVariant::FromI4(0).ChangeType(to, out);
    case ZVariantType::I4:
        if (to == ZVariantType::R4) {
            out = FromR4(static_cast<float>(i4_));
        } else {
            out = FromBool(i4_ != 0);
        }
        return S_OK;
    case ZVariantType::R4:
        if (to == ZVariantType::I4) {
            return ToI4(r4_, out);
        }
        if (std::isnan(r4_)) {
            return DISP_E_OVERFLOW;
        }
        out = FromBool(r4_ != 0);
        return S_OK;
    case ZVariantType::Bool:
        return ZVariant::FromI4(bool_ ? kVariantTrue : 0).ChangeType(to, out);
    case ZVariantType::Text:
        return ConvertText(text_, to, out);
    }
    return DISP_E_TYPEMISMATCH;
}

std::string ZVariantDisplayText(const ZVariant& value)
{
    switch (value.Type()) {
    case ZVariantType::Empty:
        return {};
    case ZVariantType::I4:
        return std::to_string(value.I4());
    case ZVariantType::R4:
        return RealText(value.R4());
    case ZVariantType::Bool:
        return value.Bool() ? kTrueText : kFalseText;
    case ZVariantType::Text:
        return value.Text();
    }
    return {};
}
