#include "messaging/value_handler.h"

#include "messaging/registry_node.h"
#include "messaging/value_tx.h"
#include "messaging/value_tx_guard.h"

namespace {

constexpr int32_t kFirstChangeType = 1;
constexpr int32_t kLastChangeType = 8;

} // namespace

LValueHandler::LValueHandler(LValue* value) : ownerValue_(value), currentValue_(value)
{
}

bool LValueHandler::ConnectRegistry(const char* name, LMsgRegistryNode* registry)
{
    return LMsgRegistryNode::ConnectBothWays(registry, name, AsReceiver(), 0, AsSource());
}

// Context messages first: a change brings a handler three of them (changed, commit, commit done)
// against one modify message, and each decoder takes only its own exact class, so the order of the
// two tries changes nothing but the number of type checks a message meets.
bool LValueHandler::Receive(LMsg& msg)
{
    return LValueContextMsgDecoder::Receive(msg) || LValueModifyMsgDecoder::Receive(msg);
}

bool LValueHandler::Send(LMsg& msg)
{
    return SendThroughSender(msg);
}

bool LValueHandler::EnsureWorkingCopy()
{
    return currentValue_ != ownerValue_ || MakeWorkingCopy();
}

LValueTx& LValueHandler::GetTransaction()
{
    return LValueTx::GetGlobal();
}

void LValueHandler::Query(LValueModifyMsg& msg)
{
    msg.handler = this;
}

bool LValueHandler::Dispatch(LValueModifyMsg& msg)
{
    if (msg.type < kFirstChangeType || msg.type > kLastChangeType) {
        return false;
    }
    LValueTxGuard guard(this, msg);
    // The current value is the working copy only once the level has begun.
    if (guard.Begin()) {
        currentValue_->Receive(msg);
    }
    guard.End();
    return true;
}

void LValueHandler::OnChanged(LValueContextMsg& msg)
{
    SendChanged(this, msg);
    if (LValueTxInterface* tx = msg.transaction) {
        SendRegisterDependants(tx);
    }
}

void LValueHandler::OnCommit(LValueContextMsg& msg)
{
    CommitWorkingCopy();
}

void LValueHandler::OnRollBack(LValueContextMsg& msg)
{
    DiscardWorkingCopy();
}

void LValueHandler::OnRollBackDone(LValueContextMsg& msg)
{
    SendRolledBack(this, msg);
}

void LValueHandler::OnCommitDone(LValueContextMsg& msg)
{
    SendDone(this, msg);
}
