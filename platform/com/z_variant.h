// ZVariant: the one value type that crosses a dispatch interface or a property bag: nothing, a
// 32-bit integer, a 32-bit real, a truth value or a UTF-8 text. Conversions follow the rules
// containers and scripts are used to: reals round half to even, true is -1 as an integer, texts
// are read as numbers in the C locale with blanks around them allowed.
#pragma once

#include "platform/com/hresult.h"

#include <cstdint>
#include <string>

enum class ZVariantType { Empty, I4, R4, Bool, Text };

class ZVariant
{
  public:
    ZVariant() = default;
    static ZVariant FromI4(int32_t value);
    static ZVariant FromR4(float value);
    static ZVariant FromBool(bool value);
    static ZVariant FromText(std::string value);

    ZVariantType Type() const { return type_; }
    // The held value; meaningful only for the held type.
    int32_t I4() const { return i4_; }
    float R4() const { return r4_; }
    bool Bool() const { return bool_; }
    const std::string& Text() const { return text_; }

    // This value as type `to`: S_OK and out filled, or DISP_E_TYPEMISMATCH (a text that is no
    // number, a non-finite real to text is fine but text to a non-finite real is not) or
    // DISP_E_OVERFLOW (a number outside the target's range), out untouched.
    HRESULT ChangeType(ZVariantType to, ZVariant& out) const;

    friend bool operator==(const ZVariant&, const ZVariant&) = default;

  private:
    ZVariantType type_ = ZVariantType::Empty;
    int32_t i4_ = 0;
    float r4_ = 0;
    bool bool_ = false;
    std::string text_;
};

// The value as a text, for showing it: integers and reals as numbers, truth values "True" and
// "False", nothing as the empty text.
std::string ZVariantDisplayText(const ZVariant& value);
