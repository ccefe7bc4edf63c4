#include "messaging/value_tx_guard.h"

#include "messaging/value_handler.h"
#include "messaging/value_tx.h"

LValueTxGuard::LValueTxGuard(LValueHandler* handler, LValueMsg& msg)
    : handler_(handler), msg_(msg),
      tx_(handler != nullptr ? handler->GetTransaction() : LValueTx::GetGlobal())
{
}

LValueTxGuard::~LValueTxGuard()
{
    End();
}

bool LValueTxGuard::Begin()
{
    if (begun_) {
        return false;
    }
    begun_ = tx_.Begin(handler_, msg_, first_);
    return begun_;
}

bool LValueTxGuard::End()
{
    if (!begun_) {
        return false;
    }
    begun_ = false;
    return tx_.End(handler_, msg_);
}
