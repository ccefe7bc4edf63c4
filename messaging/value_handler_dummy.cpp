#include "value_handler_dummy.h"

LValueHandlerDummy& LValueHandlerDummy::Get()
{
    static LValueHandlerDummy dummy;
    return dummy;
}
