#pragma once
// LValueHandlerFromRef: receives what the handler of a key distributes (its notifications) and
// passes it on to the receiver attached to it, with the reference recorded as sender.

#include "messaging/registry_from_ref.h"
#include "messaging/value_handler_ref.h"

class LValueHandlerFromRef : public LMsgRegistryFromRef, public LValueHandlerRef
{
  public:
    LValueHandlerFromRef() = default;

    bool Connect() override;
    void Reset() override;
};
