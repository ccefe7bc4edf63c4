#pragma once
// LValueHandlerFromRef: receives what the handler of a key distributes (its notifications) and
// passes it on to the receiver attached to it, with the reference recorded as sender.

#include "registry_from_ref.h"
#include "value_handler_ref.h"

class LValueHandlerFromRef : public LMsgRegistryFromRef, public LValueHandlerRef
{
  public:
    LValueHandlerFromRef() = default;

    bool Connect() override;
    void Reset() override;
};
