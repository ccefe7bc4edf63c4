#include "messaging/value_tx.h"

#include "messaging/value_handler.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_msg.h"
#include "messaging/value_msg_to.h"

#include "foundation/strings/never_destroyed.h"
#include "foundation/tasks/gui_thread.h"

namespace {

// Level of a change that was gathered from inside another one.
constexpr int32_t kIndirectLevel = 2;

CError RefusedAfterFailure()
{
    return CError::CErrorFromText("Change refused: the transaction has failed!", 0);
}

bool BothWarnings(const CError& a, const CError& b)
{
    return a.State() == CError::kStateWarning && b.State() == CError::kStateWarning;
}

CError IndirectResult(const CError& result)
{
    const XAString text = XAString::CharsPlus("Indirect ", result.Text());
    if (result.Failed()) {
        return CError::CErrorFromText(text, 0);
    }
    CError warning;
    warning.SetWarning(text, 0);
    return warning;
}

} // namespace

LValueTx::LValueTx() = default;

LValueTx::~LValueTx()
{
    Reset();
}

// Never destroyed: static handlers that outlive this file's statics may still end a change at exit.
LValueTx& LValueTx::GetGlobal()
{
    static XNeverDestroyed<LValueTx> global;
    return global.Get();
}

bool LValueTx::Begin(LValueHandler* handler, LValueMsg& msg, bool& first)
{
    ZYL_GUI_THREAD_ONLY("LValueTx::Begin");
    first = false;
    if (state_ == kFailed) {
        return Refuse(msg, RefusedAfterFailure());
    }
    if (handler != nullptr) {
        LMsgReceiverInterface* receiver = handler->AsReceiver();
        if (handlersNotified_.IsConnected(receiver) || handlersPending_.IsConnected(receiver)) {
            ++depth_;
            return true;
        }
        if (!handlersPending_.Connect(receiver, 0)) {
            return Refuse(msg, CError::CErrorOutOfMemory());
        }
        if (!handler->EnsureWorkingCopy()) {
            handlersPending_.Disconnect(receiver);
            return Refuse(msg, CError::CErrorOutOfMemory());
        }
    }
    if (state_ == kIdle) {
        txMsg_ = &msg;
    }
    state_ = kCollecting;
    ++depth_;
    first = true;
    return true;
}

// The refused level never opens, but its reason must reach its sender and fail the transaction
// it would have joined.
bool LValueTx::Refuse(LValueMsg& msg, const CError& reason)
{
    msg.SetResult(reason, -1);
    if (state_ == kCollecting) {
        Gather(msg, depth_ + 1);
    }
    return false;
}

bool LValueTx::End(LValueHandler* handler, LValueMsg& msg)
{
    ZYL_GUI_THREAD_ONLY("LValueTx::End");
    if (state_ != kCollecting && state_ != kFailed) {
        return false;
    }
    if (depth_ <= 1) {
        while (!msg.IsDone() && state_ == kCollecting && DeliverNext(msg)) {
        }
    }
    if (state_ == kCollecting) {
        Gather(msg, depth_);
    }
    if (depth_-- >= kIndirectLevel) {
        return true;
    }
    Finish();
    return true;
}

// One kind-0 delivery: the next changed handler, or else the next enrolled observer. Handlers
// changed by their receivers join the pending list and are delivered by the same loop.
bool LValueTx::DeliverNext(LValueMsg& msg)
{
    if (LMsgReceiverInterface* handler = handlersPending_.FirstReceiver()) {
        if (!handlersNotified_.Connect(handler, 0)) {
            // It stays pending, so the roll-back below still reaches it.
            msg.SetResult(CError::CErrorOutOfMemory(), -1);
            return false;
        }
        LValueContextMsgTo(handler).SendChanged(this, msg);
        handlersPending_.Disconnect(handler);
        return true;
    }
    if (LMsgReceiverInterface* observer = observersPending_.FirstReceiver()) {
        observersNotified_.Connect(observer, 0);
        LValueNotifyMsgTo(observer).SendChanged(&LValueHandlerDummy::Get(), msg);
        observersPending_.Disconnect(observer);
        return true;
    }
    return false;
}

void LValueTx::Gather(const LValueMsg& msg, int32_t level)
{
    LValueMsg& txMsg = *txMsg_;
    const CError& result = msg.Result();
    const bool keep =
        txMsg.Result().Failed() || result.State() == CError::kStateOk || BothWarnings(txMsg.Result(), result);
    if (!keep) {
        if (level < kIndirectLevel) {
            txMsg.SetResult(result, msg.ErrorPos());
        } else {
            txMsg.SetResult(IndirectResult(result), -1);
        }
    }
    if (txMsg.IsDone()) {
        state_ = kFailed;
    }
}

namespace {

// Moves every receiver, in order, into another list. A handler that cannot be moved is rolled
// back at once, so that no working copy outlives the transaction.
void MoveReceivers(LValueContextMsgDistributor& from, LValueContextMsgDistributor& to)
{
    while (LMsgReceiverInterface* receiver = from.FirstReceiver()) {
        if (!to.Connect(receiver, 0)) {
            LValueContextMsgTo(receiver).SendRollBack();
        }
        from.Disconnect(receiver);
    }
}

void MoveReceivers(LValueNotifyMsgDistributor& from, LValueNotifyMsgDistributor& to)
{
    while (LMsgReceiverInterface* receiver = from.FirstReceiver()) {
        to.Connect(receiver, 0);
        from.Disconnect(receiver);
    }
}

} // namespace

// The outermost level ends: the global record is idle again before anyone is told, so that the
// receivers of the final notifications may start transactions of their own.
void LValueTx::Finish()
{
    LValueContextMsgDistributor handlers;
    LValueNotifyMsgDistributor observers;
    MoveReceivers(handlersNotified_, handlers);
    MoveReceivers(handlersPending_, handlers);
    MoveReceivers(observersNotified_, observers);
    MoveReceivers(observersPending_, observers);
    const bool failed = state_ == kFailed;
    LValueMsg& txMsg = *txMsg_;
    Reset();
    if (failed) {
        handlers.SendRollBack();
        handlers.SendRollBackDone(txMsg);
        observers.SendRolledBack(&LValueHandlerDummy::Get(), txMsg);
    } else {
        handlers.SendCommit();
        handlers.SendCommitDone(txMsg);
        observers.SendDone(&LValueHandlerDummy::Get(), txMsg);
    }
}

bool LValueTx::AddNotifyReceiver(LMsgReceiverInterface* receiver)
{
    ZYL_GUI_THREAD_ONLY("LValueTx::AddNotifyReceiver");
    if (state_ != kCollecting || observersNotified_.IsConnected(receiver) ||
        observersPending_.IsConnected(receiver)) {
        return false;
    }
    return observersPending_.Connect(receiver, 0);
}

void LValueTx::Reset()
{
    ZYL_GUI_THREAD_ONLY("LValueTx::Reset");
    for (LValueContextMsgDistributor* handlers : {&handlersNotified_, &handlersPending_}) {
        if (handlers->FirstReceiver() != nullptr) {
            handlers->SendRollBack();
            handlers->DisconnectAll();
        }
    }
    observersNotified_.DisconnectAll();
    observersPending_.DisconnectAll();
    state_ = kIdle;
    depth_ = 0;
    txMsg_ = nullptr;
}
