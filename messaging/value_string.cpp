#include "messaging/value_string.h"

#include <algorithm>

#include "foundation/strings/char_tables.h"

namespace {

constexpr int32_t kDefaultMaximumLength = 255;
constexpr char kReplacementA = '?';
constexpr char16_t kReplacementW = u'?';

} // namespace

LValueString::LValueString()
{
    LValueString::Clear();
}

LValueString::LValueString(const char* text, int32_t maximumLength, bool defaultMarking, bool enabled)
{
    LValueString::SetAllA(text, maximumLength, defaultMarking, enabled);
}

void LValueString::SetAllW(const XWString& text, int32_t maximumLength, bool defaultMarking, bool enabled)
{
    value_ = text;
    default_ = text;
    maximumLength_ = maximumLength;
    SetMarks(defaultMarking, enabled);
}

void LValueString::SetAllA(const char* text, int32_t maximumLength, bool defaultMarking, bool enabled)
{
    SetAllW(Str8To16(text, kReplacementW), maximumLength, defaultMarking, enabled);
}

void LValueString::Clear()
{
    SetAllW(XWString(), kDefaultMaximumLength, false, true);
}

bool LValueString::Truncate()
{
    // A negative maximum allows nothing at all.
    const int32_t allowed = std::max(maximumLength_, 0);
    if (value_.Length() <= allowed) {
        return true;
    }
    value_ = value_.Sub(0, allowed);
    return false;
}

void LValueString::CheckLength(LValueModifyMsg& msg)
{
    if (!Truncate() && !IsQuiet(msg)) {
        msg.SetError(XAString::Format("Maximum of %d chars allowed!", maximumLength_), -1);
    }
}

int32_t LValueString::ItemType(int32_t item) const
{
    return item == kItemValue || item == kItemDefault ? kItemTypeTextW : kItemTypeInteger;
}

bool LValueString::GetTextW(XWString& out, int32_t item) const
{
    switch (item) {
    case kItemValue:
        out = value_;
        return true;
    case kItemDefault:
        out = default_;
        return true;
    default:
        return LValue::GetTextW(out, item);
    }
}

bool LValueString::GetTextA(XAString& out, int32_t item) const
{
    int32_t integer = 0;
    switch (item) {
    case kItemValue:
        out = Str16To8(value_.CStr(), kReplacementA);
        return true;
    case kItemDefault:
        out = Str16To8(default_.CStr(), kReplacementA);
        return true;
    default:
        if (!GetInt(integer, item)) {
            out = XAString();
            return false;
        }
        out = XAString::Format("%d", integer);
        return true;
    }
}

bool LValueString::GetInt(int32_t& out, int32_t item) const
{
    if (item == kItemMaximum) {
        out = maximumLength_;
        return true;
    }
    return LValueMarked::GetInt(out, item);
}

void LValueString::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
    if (msg.item != kItemMaximum) {
        LValueMarked::SetFromInt(msg, value);
        return;
    }
    maximumLength_ = value;
    if (ReclampsAtOnce(msg)) {
        Truncate();
    }
}

void LValueString::SetFromTextW(LValueModifyMsg& msg, const XWString& text)
{
    switch (msg.item) {
    case kItemValue:
        value_ = text;
        CheckLength(msg);
        break;
    case kItemDefault:
        default_ = text;
        break;
    default:
        break;
    }
}
