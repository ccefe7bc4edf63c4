#include "messaging/value_modify_msg_tx.h"

LValueModifyMsgTx::LValueModifyMsgTx(uint32_t flags)
    : LValueModifyMsg(flags, kTypeInt, kItemValue), guard_(nullptr, *this)
{
    guard_.Begin();
}
