#pragma once
// LMsgRegistryFromRef: receives from a named node and passes every message on to the one
// receiver attached to it (its owner), with the reference recorded as sender. Connecting makes
// the node (when needed) and connects the reference to it.

#include "messaging/msg_receiver_ss.h"
#include "messaging/msg_source.h"
#include "messaging/msg_source_sr.h"
#include "messaging/registry_ref.h"

class LMsgRegistryFromRef : public LMsgRegistryRef, public LMsgReceiverSS, public LMsgSourceID
{
  public:
    LMsgRegistryFromRef() = default;
    // Detaches the owner and disconnects.
    ~LMsgRegistryFromRef() override;

    // Makes `owner` the one receiver of what the reference receives (null: detaches the current
    // owner), then binds the name.
    bool Attach(LMsgReceiverInterface* owner, const XAString& name, LMsgRegistryNode* registry);

    bool Connect() override;
    void Disconnect() override;

    // Passes the message on to the owner; true.
    bool Receive(LMsg& msg) override;
    // Forgets the source and resets the reference.
    void SourceDisconnected(LMsgSourceInterface* source) override;

  protected:
    // Its one receiver is the owner.
    LMsgSourceSR ownerSource_;
};
