#pragma once
// LValueContextMsgDecoder: takes context messages of exactly that class and hands each kind to
// one operation (a value handler implements them). The kind operations do nothing here.

class LMsg;
class LValueContextMsg;

class LValueContextMsgDecoder
{
  public:
    virtual ~LValueContextMsgDecoder() = default;

    // False for any other class; otherwise what OnContext answers.
    virtual bool Receive(LMsg& msg);
    // Kinds 0 to 4 go to their operation (true); any other kind answers false.
    virtual bool OnContext(LValueContextMsg& msg);

    virtual void OnChanged(LValueContextMsg& msg);
    virtual void OnCommit(LValueContextMsg& msg);
    virtual void OnRollBack(LValueContextMsg& msg);
    virtual void OnRollBackDone(LValueContextMsg& msg);
    virtual void OnCommitDone(LValueContextMsg& msg);
};
