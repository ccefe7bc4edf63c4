#include "messaging/value_handler_ref.h"

#include "messaging/value_handler_dummy.h"

LValueHandler* LValueHandlerRef::GetHandler()
{
    if (handler_ == nullptr) {
        Connect();
    }
    return handler_ != nullptr ? handler_ : &LValueHandlerDummy::Get();
}
