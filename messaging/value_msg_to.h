#pragma once
// Direct encoders: deliver to one receiver, through a sender when one is given (which records
// itself as the message's sender) and otherwise straight to the receiver's Receive (the
// message's sender stays as it was).

#include "messaging/msg_receiver.h"
#include "messaging/msg_source.h"
#include "messaging/value_context_msg_encoder.h"
#include "messaging/value_modify_msg_encoder.h"
#include "messaging/value_notify_msg_encoder.h"

template <class Encoder> class LValueMsgTo : public Encoder
{
  public:
    explicit LValueMsgTo(LMsgReceiverInterface* receiver, LMsgSenderInterface* sender = nullptr) noexcept
        : sender(sender), receiver(receiver)
    {
    }

    bool Send(LMsg& msg) override
    {
        if (sender)
            return sender->Send(msg);
        return receiver ? receiver->Receive(msg) : false;
    }

    LMsgSenderInterface* sender;
    LMsgReceiverInterface* receiver;
};

using LValueModifyMsgTo = LValueMsgTo<LValueModifyMsgEncoder>;
using LValueModifyMsgToReceiver = LValueMsgTo<LValueModifyMsgEncoder>;
using LValueNotifyMsgTo = LValueMsgTo<LValueNotifyMsgEncoder>;
using LValueContextMsgTo = LValueMsgTo<LValueContextMsgEncoder>;
