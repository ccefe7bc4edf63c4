#pragma once
// LMsgReceiverInterface: what a source calls. A source asks for consent when it connects a
// receiver and tells it when it lets it go; in between it hands it every message it sends.

class LMsg;
class LMsgSourceInterface;

class LMsgReceiverInterface
{
  public:
    virtual ~LMsgReceiverInterface() = default;

    // True when the receiver understood the message; distributors ignore the answer.
    virtual bool Receive(LMsg& msg) = 0;
    // The source has just put this receiver into its list; false makes it roll the connection back.
    virtual bool SourceConnected(LMsgSourceInterface* source);
    // The source has just taken this receiver out of its list.
    virtual void SourceDisconnected(LMsgSourceInterface* source);
};
