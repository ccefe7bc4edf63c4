#include "value_handler_prerequisites.h"

#include "registry_node.h"
#include "value_handler_dummy.h"
#include "value_tx.h"

ValueHandlerPrerequisites::ValueHandlerPrerequisites()
{
    LValueTx::GetGlobal();
    LValueHandlerDummy::Get();
    LMsgRegistryRoot();
}
