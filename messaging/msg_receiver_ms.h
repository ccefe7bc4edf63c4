#pragma once
// LMsgReceiverMS: a receiver of many sources, which it keeps in the order they connected.
// Destroying the receiver disconnects it from all of them, last first.

#include "messaging/msg_receiver.h"

#include <cstdint>
#include <vector>

class LMsgReceiverMS : public LMsgReceiverInterface
{
  public:
    LMsgReceiverMS() = default;
    // Sources hold plain pointers to their receivers, so a receiver never moves.
    LMsgReceiverMS(const LMsgReceiverMS&) = delete;
    LMsgReceiverMS& operator=(const LMsgReceiverMS&) = delete;
    ~LMsgReceiverMS() override;

    // Appends a new source; true at once for one already held, false when the list cannot grow.
    bool SourceConnected(LMsgSourceInterface* source) override;
    // Forgets the source (searched from the end); nothing when absent.
    void SourceDisconnected(LMsgSourceInterface* source) override;

    int32_t SourceCount() const noexcept { return static_cast<int32_t>(sources_.size()); }
    LMsgSourceInterface* SourceAt(int32_t index) const noexcept { return sources_[index]; }

  private:
    int32_t IndexOf(LMsgSourceInterface* source) const noexcept;
    void RemoveSourceAt(int32_t index);

    // Keeps its capacity: a value handler joins and leaves a transaction's lists on every change.
    std::vector<LMsgSourceInterface*> sources_;
};
