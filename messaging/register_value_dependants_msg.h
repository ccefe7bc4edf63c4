#pragma once
// LRegisterValueDependantsMsg: sent by a changed handler to its registry node, which enrols the
// nodes of every enclosing branch in the transaction's final notifications.

#include "messaging/msg.h"

class LValueTxInterface;

class LRegisterValueDependantsMsg : public LMsg
{
  public:
    explicit LRegisterValueDependantsMsg(LValueTxInterface* transaction) noexcept : transaction(transaction)
    {
    }

    LValueTxInterface* transaction;
};
