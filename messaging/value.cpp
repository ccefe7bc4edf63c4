#include "messaging/value.h"

#include <algorithm>
#include <cmath>

#include "foundation/strings/char_tables.h"
#include "messaging/doubles_nearly_equal.h"
#include "foundation/text/simple_parser.h"
#include "messaging/internal/value_real_convert.h"
#include "messaging/value_real_format.h"

namespace {

constexpr char16_t kReplacementW = u'?';

} // namespace

bool LValue::Receive(LMsg& msg)
{
    return LValueModifyMsgDecoder::Receive(msg);
}

bool LValue::GetMapped(int32_t& out, int32_t low, int32_t high, int32_t item) const
{
    out = low;
    switch (ItemType(item)) {
    case kItemTypeInteger: {
        const int32_t minimum = GetInt(kItemMinimum);
        const int32_t maximum = GetInt(kItemMaximum);
        if (low < high && minimum < maximum) {
            // Both spans may reach 2^32, so their product needs 64 unsigned bits.
            const int64_t v = std::clamp(GetInt(item), minimum, maximum);
            const uint64_t span = static_cast<uint64_t>(int64_t{high} - low + 1);
            const uint64_t range = static_cast<uint64_t>(int64_t{maximum} - minimum + 1);
            out = static_cast<int32_t>(
                low + static_cast<int64_t>(span * static_cast<uint64_t>(v - minimum) / range));
        }
        return true;
    }
    case kItemTypeReal: {
        const double minimum = GetDouble(kItemMinimum);
        const double maximum = GetDouble(kItemMaximum);
        if (low < high && minimum < maximum) {
            double v = GetDouble(item);
            v = !(v >= minimum) ? minimum : std::min(v, maximum);
            const double span = static_cast<double>(int64_t{high} - low);
            out = RealToInt32(low + std::trunc((v - minimum) * span / (maximum - minimum)));
        }
        return true;
    }
    default:
        return false;
    }
}

bool LValue::GetFormattedW(XWString& out, int32_t intDigits, int32_t fracDigits, int32_t width,
                           int32_t item) const
{
    XAString text;
    const bool ok = GetFormattedA(text, intDigits, fracDigits, width, item);
    out = Str8To16(text.CStr(), kReplacementW);
    return ok;
}

bool LValue::GetFormattedA(XAString& out, int32_t intDigits, int32_t fracDigits, int32_t width,
                           int32_t item) const
{
    double value = 0;
    if (!GetDouble(value, item)) {
        out = XAString();
        return false;
    }
    out = FormatValueReal(value, intDigits, fracDigits, width);
    return true;
}

bool LValue::GetTextW(XWString& out, int32_t item) const
{
    XAString text;
    const bool ok = GetTextA(text, item);
    out = Str8To16(text.CStr(), kReplacementW);
    return ok;
}

bool LValue::GetTextA(XAString& out, int32_t item) const
{
    out = XAString();
    return false;
}

bool LValue::GetDouble(double& out, int32_t item) const
{
    out = 0;
    return false;
}

bool LValue::GetFloat(float& out, int32_t item) const
{
    double value = 0;
    const bool ok = GetDouble(value, item);
    out = static_cast<float>(value);
    return ok;
}

bool LValue::GetInt(int32_t& out, int32_t item) const
{
    out = 0;
    return false;
}

bool LValue::GetBool(bool& out, int32_t item) const
{
    int32_t value = 0;
    const bool ok = GetInt(value, item);
    out = value != 0;
    return ok;
}

bool LValue::IsDefaultMarked() const
{
    return GetBool(kItemDefaultMark);
}

bool LValue::IsAtDefault(int32_t item) const
{
    if (!IsDefaultMarked()) {
        return false;
    }
    switch (ItemType(item)) {
    case kItemTypeInteger:
        return GetInt(kItemValue) == GetInt(kItemDefault);
    case kItemTypeReal:
        return DoublesNearlyEqual(GetDouble(kItemValue), GetDouble(kItemDefault));
    case kItemTypeTextA:
        return GetString(kItemValue) == GetString(kItemDefault);
    case kItemTypeTextW: {
        XWString value;
        XWString defaultValue;
        GetTextW(value, kItemValue);
        GetTextW(defaultValue, kItemDefault);
        return value == defaultValue;
    }
    default:
        return false;
    }
}

bool LValue::IsEnabled() const
{
    bool enabled = true;
    return !GetBool(enabled, kItemEnabled) || enabled;
}

void LValue::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
}

void LValue::SetFromDouble(LValueModifyMsg& msg, double value)
{
}

void LValue::SetFromTextA(LValueModifyMsg& msg, const XAString& text)
{
}

void LValue::SetFromTextW(LValueModifyMsg& msg, const XWString& text)
{
}

bool LValue::GetBool(int32_t item) const
{
    bool value = false;
    return GetBool(value, item) && value;
}

int32_t LValue::GetInt(int32_t item) const
{
    int32_t value = 0;
    return GetInt(value, item) ? value : 0;
}

double LValue::GetDouble(int32_t item) const
{
    double value = 0;
    return GetDouble(value, item) ? value : 0.0;
}

XAString LValue::GetString(int32_t item) const
{
    XAString text;
    GetTextA(text, item);
    return text;
}

bool LValue::IsNumericItem(int32_t item) const
{
    const int32_t type = ItemType(item);
    return type == 0 || type == kItemTypeInteger || type == kItemTypeReal;
}

// Text items take the number in the form in which it came.
void LValue::SetFromNumber(LValueModifyMsg& msg, int32_t integer, double real, bool isReal)
{
    const int32_t type = ItemType(msg.item);
    switch (type) {
    case kItemTypeInteger:
        SetFromInt(msg, integer);
        break;
    case kItemTypeReal:
        SetFromDouble(msg, real);
        break;
    case kItemTypeTextA:
    case kItemTypeTextW: {
        const XAString text = isReal ? XAString::Format("%^u", real) : XAString::Format("%d", integer);
        if (type == kItemTypeTextA) {
            SetFromTextA(msg, text);
        } else {
            SetFromTextW(msg, Str8To16(text.CStr(), kReplacementW));
        }
        break;
    }
    default:
        break;
    }
}

void LValue::SetBool(LValueModifyMsg& msg)
{
    SetInt(msg);
}

void LValue::SetInt(LValueModifyMsg& msg)
{
    SetFromNumber(msg, msg.intValue, msg.intValue, false);
}

void LValue::SetDouble(LValueModifyMsg& msg)
{
    SetFromNumber(msg, RealToInt32(msg.realValue), msg.realValue, true);
}

void LValue::SetString(LValueModifyMsg& msg)
{
    const int32_t type = ItemType(msg.item);
    switch (type) {
    case kItemTypeInteger:
    case kItemTypeReal:
        SetFromParsedText(msg, type);
        break;
    case kItemTypeTextA:
        SetFromTextA(msg, msg.GetStringA());
        break;
    case kItemTypeTextW:
        SetFromTextW(msg, msg.GetStringW());
        break;
    default:
        break;
    }
}

void LValue::SetFromParsedText(LValueModifyMsg& msg, int32_t type)
{
    const XAString text = msg.GetStringA();
    LSimpleParser parser(text.CStr());
    parser.SetCommaFlag(true);
    parser.SkipBlanks();
    const int32_t numberStart = parser.Column();
    int32_t integer = 0;
    double real = 0;
    const bool numberRead = type == kItemTypeInteger ? parser.ReadInt(integer) : parser.ReadDouble(real);
    parser.SkipBlanks();
    if (!parser.ExpectEnd() || !numberRead) {
        if ((msg.flags & LValueMsg::kFlagQuiet) == 0) {
            msg.SetResult(parser.GetError(), numberRead ? parser.Column() : numberStart);
            return;
        }
        if (!numberRead) {
            return;
        }
    }
    if (type == kItemTypeInteger) {
        SetFromInt(msg, integer);
    } else {
        SetFromDouble(msg, real);
    }
}

void LValue::SetFromRange(LValueModifyMsg& msg)
{
    const int32_t low = msg.rangeLow;
    const int32_t high = msg.rangeHigh;
    // Positions outside the range count as its ends.
    const int64_t position = std::clamp(msg.intValue, low, std::max(low, high));
    switch (ItemType(msg.item)) {
    case kItemTypeInteger: {
        const int32_t minimum = GetInt(kItemMinimum);
        const int32_t maximum = GetInt(kItemMaximum);
        if (minimum >= maximum || low >= high) {
            SetFromInt(msg, minimum);
            return;
        }
        const uint64_t range = static_cast<uint64_t>(int64_t{maximum} - minimum + 1);
        const uint64_t span = static_cast<uint64_t>(int64_t{high} - low + 1);
        const uint64_t offset = range * static_cast<uint64_t>(position - low) / span;
        SetFromInt(msg, static_cast<int32_t>(minimum + static_cast<int64_t>(offset)));
        break;
    }
    case kItemTypeReal: {
        const double minimum = GetDouble(kItemMinimum);
        const double maximum = GetDouble(kItemMaximum);
        if (maximum <= minimum || high <= low) {
            SetFromDouble(msg, minimum);
            return;
        }
        SetFromDouble(msg, minimum + static_cast<double>(position - low) * (maximum - minimum) /
                                         static_cast<double>(int64_t{high} - low));
        break;
    }
    default:
        break;
    }
}

void LValue::StepBy(LValueModifyMsg& msg)
{
    const double step = GetDouble((msg.flags & LValueMsg::kFlagFineStep) != 0 ? kItemFineStep : kItemStep);
    switch (ItemType(msg.item)) {
    case kItemTypeInteger:
        StepInteger(msg, step);
        break;
    case kItemTypeReal:
        StepReal(msg, step);
        break;
    default:
        break;
    }
}

void LValue::StepInteger(LValueModifyMsg& msg, double step)
{
    const int32_t count = msg.pairSecond;
    const int64_t current = GetInt(msg.item);
    const int64_t delta = RealToInt32(step * count);
    if (delta == 0) {
        // Too few units for a whole step: the sender keeps accumulating.
        SetFromInt(msg, static_cast<int32_t>(current));
        return;
    }
    const int64_t limit = delta > 0 ? GetInt(kItemMaximum) : GetInt(kItemMinimum);
    if (delta > 0 ? delta < limit - current : -delta < current - limit) {
        SetFromInt(msg, static_cast<int32_t>(current + delta));
        msg.pairSecond = LimitToInt32(count - int64_t{RealToInt32(static_cast<double>(delta) / step)});
    } else {
        SetFromInt(msg, static_cast<int32_t>(limit));
        msg.pairSecond = 0;
    }
}

void LValue::StepReal(LValueModifyMsg& msg, double step)
{
    const int32_t count = msg.pairSecond;
    const double current = GetDouble(msg.item);
    const double delta = step * count;
    if (delta == 0) {
        SetFromDouble(msg, current);
        return;
    }
    const double next = current + delta;
    const double maximum = GetDouble(kItemMaximum);
    const double minimum = GetDouble(kItemMinimum);
    if (delta > 0 && next > maximum) {
        SetFromDouble(msg, maximum);
        msg.pairSecond = 0;
    } else if (delta < 0 && next < minimum) {
        SetFromDouble(msg, minimum);
        msg.pairSecond = 0;
    } else {
        SetFromDouble(msg, next);
        msg.pairSecond = LimitToInt32(count - int64_t{RealToInt32(delta / step)});
    }
}

void LValue::StepUp(LValueModifyMsg& msg)
{
    switch (ItemType(msg.item)) {
    case kItemTypeInteger: {
        const int32_t current = GetInt(msg.item);
        SetFromInt(msg, current < GetInt(kItemMaximum) ? current + 1 : GetInt(kItemMinimum));
        break;
    }
    case kItemTypeReal: {
        const double next = GetDouble(msg.item) + 1.0;
        SetFromDouble(msg, next < GetDouble(kItemMaximum) ? next : GetDouble(kItemMinimum));
        break;
    }
    default:
        break;
    }
}

void LValue::Reset(LValueModifyMsg& msg)
{
    switch (ItemType(msg.item)) {
    case kItemTypeInteger:
        SetFromInt(msg, GetInt(kItemDefault));
        break;
    case kItemTypeReal:
        SetFromDouble(msg, GetDouble(kItemDefault));
        break;
    case kItemTypeTextA:
        SetFromTextA(msg, GetString(kItemDefault));
        break;
    case kItemTypeTextW: {
        XWString text;
        GetTextW(text, kItemDefault);
        SetFromTextW(msg, text);
        break;
    }
    default:
        break;
    }
}
