#include "messaging/value_handler_dummy.h"

#include "foundation/strings/never_destroyed.h"

// Never destroyed: references held by static handlers fall back to it until the very end.
LValueHandlerDummy& LValueHandlerDummy::Get()
{
    static XNeverDestroyed<LValueHandlerDummy> dummy;
    return dummy.Get();
}
