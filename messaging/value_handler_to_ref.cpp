#include "messaging/value_handler_to_ref.h"

#include "messaging/value_handler.h"

LValueHandler* QueryHandlerThrough(LMsgSenderInterface& sender)
{
    LValueModifyMsg query(0, LValueModifyMsg::kTypeQuery, LValueModifyMsg::kItemValue);
    sender.LMsgSenderInterface::Send(query);
    return query.handler;
}

bool LValueHandlerToRef::Connect()
{
    if (KnownHandler() != nullptr) {
        return true;
    }
    if (!LMsgRegistryToRef::Connect()) {
        return false;
    }
    LValueHandler* handler = QueryHandlerThrough(*this);
    if (handler == nullptr) {
        return false;
    }
    // The handler replaces the node as the one receiver; letting go of the node resets us.
    if (!source_.Connect(handler->AsReceiver(), 0)) {
        Disconnect();
        return false;
    }
    connected_ = true;
    SetHandler(handler);
    return true;
}

void LValueHandlerToRef::Reset()
{
    LMsgRegistryToRef::Reset();
    SetHandler(nullptr);
}

bool LValueHandlerToRef::Send(LMsg& msg)
{
    LMsgSenderScope scope(msg, static_cast<LMsgSourceID*>(this));
    if (KnownHandler() == nullptr && !Connect()) {
        return false;
    }
    return source_.Dispatch(msg);
}
