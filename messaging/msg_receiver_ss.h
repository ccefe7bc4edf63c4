#pragma once
// LMsgReceiverSS: a receiver of a single source. Being connected to a new source lets go of the
// old one first; destroying the receiver disconnects it.

#include "messaging/msg_receiver.h"

class LMsgReceiverSS : public LMsgReceiverInterface
{
  public:
    LMsgReceiverSS() = default;
    // The source holds a plain pointer to its receiver, so it never moves.
    LMsgReceiverSS(const LMsgReceiverSS&) = delete;
    LMsgReceiverSS& operator=(const LMsgReceiverSS&) = delete;
    ~LMsgReceiverSS() override;

    // Asks the held source (if any) to let go of this receiver first; true.
    bool SourceConnected(LMsgSourceInterface* source) override;
    // Forgets the source when it is the held one.
    void SourceDisconnected(LMsgSourceInterface* source) override;

    // Asks the held source to disconnect this receiver.
    void Disconnect();

    LMsgSourceInterface* Source() const noexcept { return source_; }

  private:
    LMsgSourceInterface* source_ = nullptr;
};
