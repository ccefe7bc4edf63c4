#include "msg_source.h"

#include "msg.h"

bool LMsgSenderInterface::Send(LMsg& msg)
{
    LMsgSenderScope scope(msg, SenderID());
    return Dispatch(msg);
}
