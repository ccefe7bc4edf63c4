#include "messaging/value_context_msg_encoder.h"

#include "messaging/value_context_msg.h"

bool LValueContextMsgEncoder::SendChanged(LValueTxInterface* transaction, LValueMsg& cause)
{
    LValueContextMsg msg(cause, LValueContextMsg::kChanged, transaction);
    const bool sent = Send(msg);
    cause.SetResult(msg.Result(), msg.ErrorPos());
    return sent;
}

bool LValueContextMsgEncoder::SendCommit()
{
    LValueContextMsg msg(LValueContextMsg::kCommit);
    return Send(msg);
}

bool LValueContextMsgEncoder::SendRollBack()
{
    LValueContextMsg msg(LValueContextMsg::kRollBack);
    return Send(msg);
}

bool LValueContextMsgEncoder::SendRollBackDone(const LValueMsg& cause)
{
    LValueContextMsg msg(cause, LValueContextMsg::kRollBackDone);
    return Send(msg);
}

bool LValueContextMsgEncoder::SendCommitDone(const LValueMsg& cause)
{
    LValueContextMsg msg(cause, LValueContextMsg::kCommitDone);
    return Send(msg);
}
