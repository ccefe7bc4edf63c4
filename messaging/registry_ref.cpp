#include "messaging/registry_ref.h"

#include "messaging/registry_node.h"
#include "foundation/text/text_compare.h"

bool LMsgRegistryRef::Bind(const XAString& name, LMsgRegistryNode* registry)
{
    const LMsgRegistryNode* wanted = registry ? registry : LMsgRegistryRoot();
    if (connected_ && StrEqualNoCase(name.CStr(), name_.CStr()) && wanted == Registry())
        return Connect();
    Disconnect();
    name_ = name;
    registry_ = registry;
    return Connect();
}

LMsgRegistryNode* LMsgRegistryRef::Registry() const
{
    return registry_ ? registry_ : LMsgRegistryRoot();
}

bool LMsgRegistryRefSourceSR::Disconnect(LMsgReceiverInterface* receiver)
{
    if (!LMsgSourceSR::Disconnect(receiver))
        return false;
    owner_.Reset();
    return true;
}
