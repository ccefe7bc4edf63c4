#pragma once
// LValueModifyMsgDecoder: takes modify messages of exactly that class and hands each type to one
// operation. A class that is a receiver as well implements its Receive with this one. The
// interface's own operations do nothing.

class LMsg;
class LValueModifyMsg;

class LValueModifyMsgDecoder
{
  public:
    virtual ~LValueModifyMsgDecoder() = default;

    // False for any other class. A query goes to Query (true); any other type to Dispatch,
    // whose answer is returned.
    virtual bool Receive(LMsg& msg);
    virtual void Query(LValueModifyMsg& msg);
    // Types 1 to 8 go to their operation (true); any other type answers false.
    virtual bool Dispatch(LValueModifyMsg& msg);

    virtual void SetBool(LValueModifyMsg& msg);
    virtual void SetInt(LValueModifyMsg& msg);
    virtual void SetDouble(LValueModifyMsg& msg);
    virtual void SetString(LValueModifyMsg& msg);
    virtual void SetFromRange(LValueModifyMsg& msg);
    virtual void StepBy(LValueModifyMsg& msg);
    virtual void StepUp(LValueModifyMsg& msg);
    virtual void Reset(LValueModifyMsg& msg);
};
