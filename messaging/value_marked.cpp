#include "messaging/value_marked.h"

bool LValueMarked::GetInt(int32_t& out, int32_t item) const
{
    switch (item) {
    case kItemDefaultMark:
        out = defaultMarking_ ? 1 : 0;
        return true;
    case kItemEnabled:
        out = enabled_ ? 1 : 0;
        return true;
    default:
        return LValue::GetInt(out, item);
    }
}

void LValueMarked::SetFromInt(LValueModifyMsg& msg, int32_t value)
{
    switch (msg.item) {
    case kItemDefaultMark:
        defaultMarking_ = value != 0;
        break;
    case kItemEnabled:
        enabled_ = value != 0;
        break;
    default:
        break;
    }
}

void LValueMarked::SetMarks(bool defaultMarking, bool enabled)
{
    defaultMarking_ = defaultMarking;
    enabled_ = enabled;
}

bool LValueMarked::IsQuiet(const LValueModifyMsg& msg)
{
    return (msg.flags & LValueMsg::kFlagQuiet) != 0;
}

bool LValueMarked::ReclampsAtOnce(const LValueModifyMsg& msg)
{
    return (msg.flags & (LValueMsg::kFlagQuiet | LValueMsg::kFlagReclamp)) != 0;
}
