#include "messaging/value_handler_from_ref.h"

#include "messaging/value_handler.h"
#include "messaging/value_handler_to_ref.h"

bool LValueHandlerFromRef::Connect()
{
    if (KnownHandler() != nullptr) {
        return true;
    }
    if (!LMsgRegistryFromRef::Connect()) {
        return false;
    }
    LValueHandlerToRef finder;
    finder.Bind(Name(), Registry());
    LValueHandler* handler = finder.KnownHandler();
    // The handler's distributor replaces the node as our one source; letting go of the node
    // resets us.
    if (handler == nullptr || !handler->AsSource()->Connect(static_cast<LMsgReceiverSS*>(this), 0)) {
        Disconnect();
        return false;
    }
    connected_ = true;
    SetHandler(handler);
    return true;
}

void LValueHandlerFromRef::Reset()
{
    LMsgRegistryFromRef::Reset();
    SetHandler(nullptr);
}
