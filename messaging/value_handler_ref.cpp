#include "value_handler_ref.h"

#include "value_handler_dummy.h"

LValueHandler* LValueHandlerRef::GetHandler()
{
    if (handler_ == nullptr) {
        Connect();
    }
    return handler_ != nullptr ? handler_ : &LValueHandlerDummy::Get();
}
