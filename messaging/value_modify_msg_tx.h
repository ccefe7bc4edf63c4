#pragma once
// LValueModifyMsgTx: groups changes into one value transaction for its lifetime. It is the
// group's message (never sent): the results of the changes inside are gathered in it, and the
// notifications of the whole group are delivered when it is destroyed.

#include <cstdint>

#include "messaging/value_modify_msg.h"
#include "messaging/value_tx_guard.h"

class LValueModifyMsgTx : public LValueModifyMsg
{
  public:
    explicit LValueModifyMsgTx(uint32_t flags);
    // Ends the group: its guard closes before the message goes.
    ~LValueModifyMsgTx() override = default;

  private:
    LValueTxGuard guard_;
};
