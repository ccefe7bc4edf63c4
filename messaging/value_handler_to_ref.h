#pragma once
// LValueHandlerToRef: sends modify messages to the handler of a key. It connects on first use:
// to the key's node first, then, once a handler answers the query, to the handler itself.

#include "messaging/registry_to_ref.h"
#include "messaging/value_handler_ref.h"
#include "messaging/value_modify_msg_encoder.h"

class LValueHandlerToRef : public LMsgRegistryToRef, public LValueHandlerRef, public LValueModifyMsgEncoder
{
  public:
    LValueHandlerToRef() = default;

    bool Connect() override;
    void Reset() override;
    // Records the reference as sender and delivers to the handler, connecting first; the message
    // goes nowhere when no handler can be found.
    bool Send(LMsg& msg) override;
};

// Asks whoever a sender reaches which handler answers; null when none does. The query goes out
// with the sender recorded, but not through its overridden Send.
LValueHandler* QueryHandlerThrough(LMsgSenderInterface& sender);
