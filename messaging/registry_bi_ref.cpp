#include "messaging/registry_bi_ref.h"

#include "messaging/registry_node.h"

LMsgRegistryBiRef::~LMsgRegistryBiRef()
{
    ownerSource_.Disconnect();
    LMsgRegistryBiRef::Disconnect();
}

bool LMsgRegistryBiRef::Connect()
{
    connected_ = LMsgRegistryNode::ConnectBothWays(Registry(), Name().CStr(), this, 0, &toSource_);
    return connected_;
}

void LMsgRegistryBiRef::Disconnect()
{
    toSource_.Disconnect();
    LMsgRegistryFromRef::Disconnect();
}

bool LMsgRegistryBiRef::Dispatch(LMsg& msg)
{
    return toSource_.Dispatch(msg);
}
