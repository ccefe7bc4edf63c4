#include "messaging/value_notify_msg_decoder.h"

#include "messaging/value_notify_msg.h"

bool LValueNotifyMsgDecoder::Receive(LMsg& msg)
{
    LValueNotifyMsg* notify = ExactMsgCast<LValueNotifyMsg>(msg);
    return notify ? OnNotify(*notify) : false;
}

bool LValueNotifyMsgDecoder::OnNotify(LValueNotifyMsg& msg)
{
    switch (msg.kind) {
    case LValueNotifyMsg::kChanged:
        OnChanged(msg);
        return true;
    case LValueNotifyMsg::kRolledBack:
        OnRolledBack(msg);
        return true;
    case LValueNotifyMsg::kDone:
        OnDone(msg);
        return true;
    default:
        return false;
    }
}

void LValueNotifyMsgDecoder::OnChanged(LValueNotifyMsg&)
{
}
void LValueNotifyMsgDecoder::OnRolledBack(LValueNotifyMsg&)
{
}
void LValueNotifyMsgDecoder::OnDone(LValueNotifyMsg&)
{
}
