#pragma once
// Distributors that are encoders at once: one context or notify send through them reaches
// every receiver in their list, with the distributor recorded as sender. The value transaction
// keeps its handlers and observers in them.

#include "messaging/msg_distributor.h"
#include "messaging/value_context_msg_encoder.h"
#include "messaging/value_notify_msg_encoder.h"

class LValueContextMsgDistributor : public LMsgDistributor, public LValueContextMsgEncoder
{
  public:
    bool Send(LMsg& msg) override { return SendThroughSender(msg); }
};

class LValueNotifyMsgDistributor : public LMsgDistributor, public LValueNotifyMsgEncoder
{
  public:
    bool Send(LMsg& msg) override { return SendThroughSender(msg); }
};
