#include "messaging/value_notify_msg_encoder.h"

#include "messaging/value_notify_msg.h"

bool LValueNotifyMsgEncoder::SendChanged(LValueHandler* handler, LValueMsg& cause)
{
    LValueNotifyMsg msg(cause, LValueNotifyMsg::kChanged, handler);
    const bool sent = Send(msg);
    cause.SetResult(msg.Result(), msg.ErrorPos());
    return sent;
}

bool LValueNotifyMsgEncoder::SendRolledBack(LValueHandler* handler, const LValueMsg& cause)
{
    LValueNotifyMsg msg(cause, LValueNotifyMsg::kRolledBack, handler);
    return Send(msg);
}

bool LValueNotifyMsgEncoder::SendDone(LValueHandler* handler, const LValueMsg& cause)
{
    LValueNotifyMsg msg(cause, LValueNotifyMsg::kDone, handler);
    return Send(msg);
}
