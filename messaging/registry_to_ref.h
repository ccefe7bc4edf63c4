#pragma once
// LMsgRegistryToRef: sends to a named node. Connecting makes the node (when needed) and holds it
// as the one receiver of the reference's source; sending does not connect.

#include "messaging/msg_source.h"
#include "messaging/registry_ref.h"

class LMsgRegistryToRef : public LMsgRegistryRef, public LMsgSourceID, public LMsgSenderInterface
{
  public:
    LMsgRegistryToRef() = default;
    ~LMsgRegistryToRef() override;

    bool Connect() override;
    void Disconnect() override;
    // Passes the message to the node; false when not connected.
    bool Dispatch(LMsg& msg) override;

  protected:
    LMsgSourceID* SenderID() override { return this; }

    LMsgRegistryRefSourceSR source_{*this};
};
