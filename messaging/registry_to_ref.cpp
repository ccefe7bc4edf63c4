#include "messaging/registry_to_ref.h"

#include "messaging/registry_node.h"

LMsgRegistryToRef::~LMsgRegistryToRef()
{
    LMsgRegistryToRef::Disconnect();
}

bool LMsgRegistryToRef::Connect()
{
    if (connected_)
        return true;
    connected_ = LMsgRegistryNode::ConnectToSource(Registry(), Name().CStr(), &source_);
    return connected_;
}

void LMsgRegistryToRef::Disconnect()
{
    source_.Disconnect();
}

bool LMsgRegistryToRef::Dispatch(LMsg& msg)
{
    return source_.Dispatch(msg);
}
