#include "messaging/value_modify_msg_decoder.h"

#include "messaging/value_modify_msg.h"

bool LValueModifyMsgDecoder::Receive(LMsg& msg)
{
    LValueModifyMsg* modify = ExactMsgCast<LValueModifyMsg>(msg);
    if (!modify)
        return false;
    if (modify->type != LValueModifyMsg::kTypeQuery)
        return Dispatch(*modify);
    Query(*modify);
    return true;
}

void LValueModifyMsgDecoder::Query(LValueModifyMsg&)
{
}

bool LValueModifyMsgDecoder::Dispatch(LValueModifyMsg& msg)
{
    switch (msg.type) {
    case LValueModifyMsg::kTypeBool:
        SetBool(msg);
        return true;
    case LValueModifyMsg::kTypeInt:
        SetInt(msg);
        return true;
    case LValueModifyMsg::kTypeDouble:
        SetDouble(msg);
        return true;
    case LValueModifyMsg::kTypeString:
        SetString(msg);
        return true;
    case LValueModifyMsg::kTypeFromRange:
        SetFromRange(msg);
        return true;
    case LValueModifyMsg::kTypeStepBy:
        StepBy(msg);
        return true;
    case LValueModifyMsg::kTypeStepUp:
        StepUp(msg);
        return true;
    case LValueModifyMsg::kTypeReset:
        Reset(msg);
        return true;
    default:
        return false;
    }
}

void LValueModifyMsgDecoder::SetBool(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::SetInt(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::SetDouble(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::SetString(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::SetFromRange(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::StepBy(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::StepUp(LValueModifyMsg&)
{
}
void LValueModifyMsgDecoder::Reset(LValueModifyMsg&)
{
}
