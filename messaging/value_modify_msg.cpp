#include "messaging/value_modify_msg.h"

#include "foundation/strings/char_tables.h"

#include <cmath>
#include <limits>

namespace {

constexpr char kReplacement = '?';
constexpr char16_t kReplacement16 = u'?';

// Truncation toward zero that stays defined for every double.
int32_t TruncateToInt32(double value) noexcept
{
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    if (std::isnan(value))
        return 0;
    if (value >= kMax)
        return std::numeric_limits<int32_t>::max();
    if (value <= kMin)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

} // namespace

void LValueModifyMsg::SetPayloadBool(bool value) noexcept
{
    intValue = value ? 1 : 0;
    realValue = value ? 1.0 : 0.0;
}

void LValueModifyMsg::SetPayloadInt(int32_t value) noexcept
{
    intValue = value;
    realValue = value;
}

void LValueModifyMsg::SetPayloadDouble(double value) noexcept
{
    realValue = value;
    intValue = TruncateToInt32(value);
}

const XAString& LValueModifyMsg::GetStringA()
{
    if (stringA.IsEmpty() && !stringW.IsEmpty())
        stringA = Str16To8(stringW.CStr(), kReplacement);
    return stringA;
}

const XWString& LValueModifyMsg::GetStringW()
{
    if (stringW.IsEmpty() && !stringA.IsEmpty())
        stringW = Str8To16(stringA.CStr(), kReplacement16);
    return stringW;
}
