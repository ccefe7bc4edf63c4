#pragma once
// LRegisterValueDependantsMsgEncoder: something that can send register-dependants messages (a
// value handler, to the registry node of its key).

class LMsg;
class LValueTxInterface;

class LRegisterValueDependantsMsgEncoder
{
  public:
    virtual ~LRegisterValueDependantsMsgEncoder() = default;

    virtual bool Send(LMsg& msg) = 0;

    // Sends the message with the transaction; the encoder's answer.
    bool SendRegisterDependants(LValueTxInterface* transaction);
};
