#include "messaging/registry_from_ref.h"

#include "messaging/msg.h"
#include "messaging/registry_node.h"

LMsgRegistryFromRef::~LMsgRegistryFromRef()
{
    ownerSource_.Disconnect();
    LMsgRegistryFromRef::Disconnect();
}

bool LMsgRegistryFromRef::Attach(LMsgReceiverInterface* owner, const XAString& name,
                                 LMsgRegistryNode* registry)
{
    if (owner)
        ownerSource_.Connect(owner, 0);
    else
        ownerSource_.Disconnect();
    return Bind(name, registry);
}

bool LMsgRegistryFromRef::Connect()
{
    if (connected_)
        return true;
    connected_ = LMsgRegistryNode::ConnectReceiver(Registry(), Name().CStr(), this, 0);
    return connected_;
}

void LMsgRegistryFromRef::Disconnect()
{
    LMsgReceiverSS::Disconnect();
}

bool LMsgRegistryFromRef::Receive(LMsg& msg)
{
    LMsgSenderScope scope(msg, static_cast<LMsgSourceID*>(this));
    ownerSource_.Dispatch(msg);
    return true;
}

void LMsgRegistryFromRef::SourceDisconnected(LMsgSourceInterface* source)
{
    const bool held = source == Source();
    LMsgReceiverSS::SourceDisconnected(source);
    if (held)
        Reset();
}
