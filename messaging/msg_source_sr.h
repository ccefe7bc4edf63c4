#pragma once
// LMsgSourceSR: a source with a single receiver. Connecting another receiver drops the held one
// first; priorities play no part.

#include "messaging/msg_source.h"

class LMsgSourceSR : public LMsgSourceInterface
{
  public:
    LMsgSourceSR() = default;
    ~LMsgSourceSR() override;

    // True for the held receiver. Otherwise drops the held one (false when it stays), holds the
    // new one and asks for its consent; a refusal forgets it again without telling it.
    bool Connect(LMsgReceiverInterface* receiver, int32_t priority) override;
    // False unless it is the held receiver; otherwise forgets it and tells it.
    bool Disconnect(LMsgReceiverInterface* receiver) override;
    // Drops whatever receiver is held, through the virtual Disconnect.
    void Disconnect();

    // The held receiver's answer; false when none is held.
    bool Dispatch(LMsg& msg) override;

    LMsgReceiverInterface* Receiver() const noexcept { return receiver_; }

  private:
    LMsgReceiverInterface* receiver_ = nullptr;
};
