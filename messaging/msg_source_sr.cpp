#include "messaging/msg_source_sr.h"

#include "messaging/msg_receiver.h"

LMsgSourceSR::~LMsgSourceSR()
{
    Disconnect();
}

bool LMsgSourceSR::Connect(LMsgReceiverInterface* receiver, int32_t)
{
    if (!receiver)
        return false;
    if (receiver == receiver_)
        return true;
    if (receiver_) {
        Disconnect(receiver_);
        if (receiver_)
            return false;
    }
    receiver_ = receiver;
    if (receiver->SourceConnected(this))
        return true;
    if (receiver_ == receiver)
        receiver_ = nullptr;
    return false;
}

bool LMsgSourceSR::Disconnect(LMsgReceiverInterface* receiver)
{
    if (!receiver || receiver != receiver_)
        return false;
    receiver_ = nullptr;
    receiver->SourceDisconnected(this);
    return true;
}

void LMsgSourceSR::Disconnect()
{
    LMsgReceiverInterface* receiver = receiver_;
    if (!receiver)
        return;
    Disconnect(receiver);
    if (receiver_ == receiver)
        receiver_ = nullptr;
}

bool LMsgSourceSR::Dispatch(LMsg& msg)
{
    return receiver_ ? receiver_->Receive(msg) : false;
}
