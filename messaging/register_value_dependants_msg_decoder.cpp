#include "messaging/register_value_dependants_msg_decoder.h"

#include "messaging/register_value_dependants_msg.h"

bool LRegisterValueDependantsMsgDecoder::Receive(LMsg& msg)
{
    LRegisterValueDependantsMsg* registration = ExactMsgCast<LRegisterValueDependantsMsg>(msg);
    if (!registration)
        return false;
    OnRegister(*registration);
    return true;
}
