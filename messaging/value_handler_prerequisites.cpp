#include "messaging/value_handler_prerequisites.h"

#include "messaging/registry_node.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_tx.h"

ValueHandlerPrerequisites::ValueHandlerPrerequisites()
{
    LValueTx::GetGlobal();
    LValueHandlerDummy::Get();
    LMsgRegistryRoot();
}
