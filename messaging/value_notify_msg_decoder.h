#pragma once
// LValueNotifyMsgDecoder: takes notify messages of exactly that class and hands each kind to one
// operation. A class that is a receiver as well (the preview window, the parameter followers)
// implements its Receive with this one. The kind operations do nothing here.

class LMsg;
class LValueNotifyMsg;

class LValueNotifyMsgDecoder
{
  public:
    virtual ~LValueNotifyMsgDecoder() = default;

    // False for any other class; otherwise what OnNotify answers.
    virtual bool Receive(LMsg& msg);
    // kChanged, kRolledBack and kDone go to their operation (true); any other number answers false.
    virtual bool OnNotify(LValueNotifyMsg& msg);

    virtual void OnChanged(LValueNotifyMsg& msg);
    virtual void OnRolledBack(LValueNotifyMsg& msg);
    virtual void OnDone(LValueNotifyMsg& msg);
};
