#include "messaging/register_value_dependants_msg_encoder.h"

#include "messaging/register_value_dependants_msg.h"

bool LRegisterValueDependantsMsgEncoder::SendRegisterDependants(LValueTxInterface* transaction)
{
    LRegisterValueDependantsMsg msg(transaction);
    return Send(msg);
}
