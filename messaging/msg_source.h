#pragma once
// The source side of a connection. LMsgSourceID is the identity a message records as its current
// sender; LMsgSenderInterface delivers (Dispatch) and sends (Dispatch with the sender recorded);
// LMsgSourceInterface adds connecting and disconnecting receivers.

#include <cstdint>

class LMsg;
class LMsgReceiverInterface;

class LMsgSourceID
{
  public:
    virtual ~LMsgSourceID() = default;
};

class LMsgSenderInterface
{
  public:
    virtual ~LMsgSenderInterface() = default;

    // Delivers the message to the source's receivers.
    virtual bool Dispatch(LMsg& msg) = 0;
    // Records SenderID as the message's current sender around Dispatch, puts the previous one
    // back afterwards (also when an exception leaves) and answers what Dispatch answers.
    virtual bool Send(LMsg& msg);

  protected:
    // The identity this sender records in the messages it sends.
    virtual LMsgSourceID* SenderID() = 0;
};

class LMsgSourceInterface : public LMsgSourceID, public LMsgSenderInterface
{
  public:
    LMsgSourceInterface() = default;
    // Partners hold plain pointers to a source, so it never moves.
    LMsgSourceInterface(const LMsgSourceInterface&) = delete;
    LMsgSourceInterface& operator=(const LMsgSourceInterface&) = delete;

    virtual bool Connect(LMsgReceiverInterface* receiver, int32_t priority) = 0;
    virtual bool Disconnect(LMsgReceiverInterface* receiver) = 0;

  protected:
    LMsgSourceID* SenderID() final { return this; }
};
