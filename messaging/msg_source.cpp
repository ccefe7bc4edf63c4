#include "messaging/msg_source.h"

#include "messaging/msg.h"

bool LMsgSenderInterface::Send(LMsg& msg)
{
    LMsgSenderScope scope(msg, SenderID());
    return Dispatch(msg);
}
