#include "messaging/value_handler_bi_ref.h"

#include "messaging/value_handler.h"
#include "messaging/value_handler_to_ref.h"

bool LValueHandlerBiRef::Connect()
{
    if (KnownHandler() != nullptr) {
        return true;
    }
    if (!LMsgRegistryBiRef::Connect()) {
        return false;
    }
    LValueHandler* handler = QueryHandlerThrough(*this);
    // The handler replaces the node on both sides; letting go of the node resets us.
    if (handler == nullptr || !handler->AsSource()->Connect(static_cast<LMsgReceiverSS*>(this), 0) ||
        !toSource_.Connect(handler->AsReceiver(), 0)) {
        Disconnect();
        return false;
    }
    connected_ = true;
    SetHandler(handler);
    return true;
}

void LValueHandlerBiRef::Reset()
{
    LMsgRegistryBiRef::Reset();
    SetHandler(nullptr);
}

bool LValueHandlerBiRef::Send(LMsg& msg)
{
    LMsgSenderScope scope(msg, static_cast<LMsgSourceID*>(this));
    if (KnownHandler() == nullptr && !Connect()) {
        return false;
    }
    return toSource_.Dispatch(msg);
}
