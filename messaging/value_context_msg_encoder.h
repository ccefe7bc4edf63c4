#pragma once
// LValueContextMsgEncoder: something that can send context messages to value handlers (the
// transaction's lists of handlers, a direct encoder). Only kind 0 carries its result back.

class LMsg;
class LValueMsg;
class LValueTxInterface;

class LValueContextMsgEncoder
{
  public:
    virtual ~LValueContextMsgEncoder() = default;

    virtual bool Send(LMsg& msg) = 0;

    // Kind 0 with the transaction; the result is recorded into the cause.
    bool SendChanged(LValueTxInterface* transaction, LValueMsg& cause);
    // Kinds 1 and 2: fresh messages.
    bool SendCommit();
    bool SendRollBack();
    // Kinds 3 and 4, copied from the cause.
    bool SendRollBackDone(const LValueMsg& cause);
    bool SendCommitDone(const LValueMsg& cause);
};
