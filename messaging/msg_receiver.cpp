#include "messaging/msg_receiver.h"

bool LMsgReceiverInterface::SourceConnected(LMsgSourceInterface*)
{
    return true;
}

void LMsgReceiverInterface::SourceDisconnected(LMsgSourceInterface*)
{
}
