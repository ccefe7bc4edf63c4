#pragma once
// LValueModifyMsg: asks a value to change one of its items, or (type 0) asks which handler
// receives it. The payload fields that a type uses are set by its sender; the others stay zero or
// empty.

#include "messaging/value_msg.h"
#include "foundation/strings/xa_string.h"
#include "foundation/strings/xw_string.h"

#include <cstdint>

class LValueHandler;

class LValueModifyMsg : public LValueMsg
{
  public:
    // Types: what the payload holds and what the value is to do with it.
    static constexpr int32_t kTypeQuery = 0;     // the receiving handler stores itself in `handler`
    static constexpr int32_t kTypeBool = 1;      // intValue 0 or 1, realValue 0.0 or 1.0
    static constexpr int32_t kTypeInt = 2;       // intValue, and the same number as realValue
    static constexpr int32_t kTypeDouble = 3;    // realValue, and intValue truncated toward zero
    static constexpr int32_t kTypeString = 4;    // stringA and/or stringW
    static constexpr int32_t kTypeFromRange = 5; // intValue = position within rangeLow..rangeHigh
    static constexpr int32_t kTypeStepBy = 6;    // pairSecond = steps in 1/65536; what is left comes back
    static constexpr int32_t kTypeStepUp = 7;    // one step up, wrapping to the minimum
    static constexpr int32_t kTypeReset = 8;     // the item back to its default
    static constexpr int32_t kTypeLast = kTypeReset;

    // Items of a value.
    static constexpr int32_t kItemValue = 1;
    static constexpr int32_t kItemDefault = 2;
    static constexpr int32_t kItemMinimum = 3;
    static constexpr int32_t kItemMaximum = 4;
    static constexpr int32_t kItemStep = 5;
    static constexpr int32_t kItemFineStep = 6;
    static constexpr int32_t kItemDefaultMark = 7;
    static constexpr int32_t kItemEnabled = 8;

    LValueModifyMsg(uint32_t flags, int32_t type, int32_t item) noexcept
        : LValueMsg(flags), type(type), item(item)
    {
    }

    // Payloads by the type's rules.
    void SetPayloadBool(bool value) noexcept;
    void SetPayloadInt(int32_t value) noexcept;
    // A real beyond the 32-bit range gives the nearest integer payload, NaN gives 0.
    void SetPayloadDouble(double value) noexcept;

    // The 8-bit text; when only the 16-bit text is set it is converted first and kept.
    const XAString& GetStringA();
    // The 16-bit text; when only the 8-bit text is set it is converted first and kept.
    const XWString& GetStringW();

    int32_t type;
    int32_t item;
    int32_t intValue = 0;
    double realValue = 0.0;
    int32_t rangeLow = 0;
    int32_t rangeHigh = 0;
    int32_t pairFirst = 0;
    int32_t pairSecond = 0;
    XAString stringA;
    XWString stringW;
    // The answer to a query.
    LValueHandler* handler = nullptr;
};
