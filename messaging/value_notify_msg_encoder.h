#pragma once
// LValueNotifyMsgEncoder: something that can send notify messages (a handler's distributor, a
// transaction's list of observers, a direct encoder). Each notification is built from the
// message that caused it; only the change notification carries its result back into it.

class LMsg;
class LValueHandler;
class LValueMsg;

class LValueNotifyMsgEncoder
{
  public:
    virtual ~LValueNotifyMsgEncoder() = default;

    virtual bool Send(LMsg& msg) = 0;

    // kChanged; the notification's result is recorded into the cause.
    bool SendChanged(LValueHandler* handler, LValueMsg& cause);
    // kRolledBack and kDone.
    bool SendRolledBack(LValueHandler* handler, const LValueMsg& cause);
    bool SendDone(LValueHandler* handler, const LValueMsg& cause);
};
