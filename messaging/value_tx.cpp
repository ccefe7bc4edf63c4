#include "messaging/value_tx.h"

#include "messaging/value_handler.h"
#include "messaging/value_handler_dummy.h"
#include "messaging/value_msg.h"
#include "messaging/value_msg_to.h"

#include "foundation/strings/never_destroyed.h"
#include "foundation/tasks/gui_thread.h"

#include <new>

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
    if (!HaveMembers()) {
        return Refuse(msg, CError::CErrorOutOfMemory());
    }
    if (handler != nullptr) {
        LMsgReceiverInterface* receiver = handler->AsReceiver();
        LValueTxHandlerList& handlers = members_->handlers;
        const LValueTxList::Joining joining = handlers.Join(receiver);
        if (joining == LValueTxList::Joining::kMember) {
            ++depth_;
            return true;
        }
        if (joining == LValueTxList::Joining::kRefused) {
            return Refuse(msg, CError::CErrorOutOfMemory());
        }
        if (!handler->EnsureWorkingCopy()) {
            handlers.Disconnect(receiver);
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

// The lists of a new transaction are the spare ones, or new ones when a transaction started
// from the final notifications of another still holds those.
bool LValueTx::HaveMembers()
{
    if (members_) {
        return true;
    }
    members_ = std::move(spare_);
    if (!members_) {
        try {
            members_ = std::make_unique<Members>();
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
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
// changed by their receivers join the list behind the others and are delivered by the same loop.
bool LValueTx::DeliverNext(LValueMsg& msg)
{
    if (LMsgReceiverInterface* handler = members_->handlers.TakeUntold()) {
        LValueContextMsgTo(handler).SendChanged(this, msg);
        return true;
    }
    if (LMsgReceiverInterface* observer = members_->observers.TakeUntold()) {
        LValueNotifyMsgTo(observer).SendChanged(&LValueHandlerDummy::Get(), msg);
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

// The outermost level ends: the global record is idle again before anyone is told, so that the
// receivers of the final notifications may start transactions of their own.
void LValueTx::Finish()
{
    std::unique_ptr<Members> members = std::move(members_);
    const bool failed = state_ == kFailed;
    LValueMsg& txMsg = *txMsg_;
    Reset();
    if (!members) {
        return;
    }
    // Every receiver is let go once it has been told, also when a receiver throws.
    struct Release
    {
        LValueTx& tx;
        std::unique_ptr<Members>& members;
        ~Release()
        {
            members->observers.DisconnectAll();
            members->handlers.DisconnectAll();
            tx.Recycle(std::move(members));
        }
    } release{*this, members};
    if (failed) {
        members->handlers.SendRollBack();
        members->handlers.SendRollBackDone(txMsg);
        members->observers.SendRolledBack(&LValueHandlerDummy::Get(), txMsg);
    } else {
        members->handlers.SendCommit();
        members->handlers.SendCommitDone(txMsg);
        members->observers.SendDone(&LValueHandlerDummy::Get(), txMsg);
    }
}

void LValueTx::Recycle(std::unique_ptr<Members> members)
{
    if (!spare_) {
        spare_ = std::move(members);
    }
}

bool LValueTx::AddNotifyReceiver(LMsgReceiverInterface* receiver)
{
    ZYL_GUI_THREAD_ONLY("LValueTx::AddNotifyReceiver");
    return state_ == kCollecting && members_->observers.Join(receiver) == LValueTxList::Joining::kJoined;
}

void LValueTx::Reset()
{
    ZYL_GUI_THREAD_ONLY("LValueTx::Reset");
    if (members_) {
        if (!members_->handlers.IsEmpty()) {
            members_->handlers.SendRollBack();
        }
        members_->handlers.DisconnectAll();
        members_->observers.DisconnectAll();
    }
    state_ = kIdle;
    depth_ = 0;
    txMsg_ = nullptr;
}
