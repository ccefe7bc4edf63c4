#pragma once
// LValueHandlerBiRef: both directions to the handler of a key: modify messages sent through it
// reach the handler, and what the handler distributes reaches the receiver attached to it.
// Every bound control holds one.

#include "messaging/registry_bi_ref.h"
#include "messaging/value_handler_ref.h"
#include "messaging/value_modify_msg_encoder.h"

class LValueHandlerBiRef : public LMsgRegistryBiRef, public LValueHandlerRef, public LValueModifyMsgEncoder
{
  public:
    LValueHandlerBiRef() = default;

    bool Connect() override;
    void Reset() override;
    // Records the reference as sender and delivers to the handler, connecting first; the message
    // goes nowhere when no handler can be found.
    bool Send(LMsg& msg) override;
};
