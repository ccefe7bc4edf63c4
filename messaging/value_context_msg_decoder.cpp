#include "messaging/value_context_msg_decoder.h"

#include "messaging/value_context_msg.h"

bool LValueContextMsgDecoder::Receive(LMsg& msg)
{
    LValueContextMsg* context = ExactMsgCast<LValueContextMsg>(msg);
    return context ? OnContext(*context) : false;
}

bool LValueContextMsgDecoder::OnContext(LValueContextMsg& msg)
{
    switch (msg.kind) {
    case LValueContextMsg::kChanged:
        OnChanged(msg);
        return true;
    case LValueContextMsg::kCommit:
        OnCommit(msg);
        return true;
    case LValueContextMsg::kRollBack:
        OnRollBack(msg);
        return true;
    case LValueContextMsg::kRollBackDone:
        OnRollBackDone(msg);
        return true;
    case LValueContextMsg::kCommitDone:
        OnCommitDone(msg);
        return true;
    default:
        return false;
    }
}

void LValueContextMsgDecoder::OnChanged(LValueContextMsg&)
{
}
void LValueContextMsgDecoder::OnCommit(LValueContextMsg&)
{
}
void LValueContextMsgDecoder::OnRollBack(LValueContextMsg&)
{
}
void LValueContextMsgDecoder::OnRollBackDone(LValueContextMsg&)
{
}
void LValueContextMsgDecoder::OnCommitDone(LValueContextMsg&)
{
}
