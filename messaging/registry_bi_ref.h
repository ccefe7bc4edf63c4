#pragma once
// LMsgRegistryBiRef: both directions to a named node: it sends to the node through a source of
// its own and receives from it for its owner, like LMsgRegistryFromRef.

#include "messaging/msg_source.h"
#include "messaging/registry_from_ref.h"

class LMsgRegistryBiRef : public LMsgRegistryFromRef, public LMsgSenderInterface
{
  public:
    LMsgRegistryBiRef() = default;
    // Detaches the owner and disconnects both ways.
    ~LMsgRegistryBiRef() override;

    // Connects both ways to the named node, made when needed; does not look at the connected
    // state first.
    bool Connect() override;
    void Disconnect() override;
    // Passes the message to the node; false when not connected.
    bool Dispatch(LMsg& msg) override;

  protected:
    LMsgSourceID* SenderID() override { return this; }

    LMsgRegistryRefSourceSR toSource_{*this};
};
