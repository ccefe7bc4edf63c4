#pragma once
// LValueTx: the value transaction. Every change of a value runs inside one: the transaction
// collects the handlers whose values change (each working on a copy of its value) and the
// observers that must hear of it, delivers the change notifications once at the end of the
// outermost level, and then commits every working copy or, after any error, rolls every one
// back. One error anywhere fails the whole transaction and refuses every later change in it.
//
// One global record serves the whole program (GetGlobal); it is used on the GUI thread only.

#include <cstdint>
#include <memory>

#include "foundation/errors/c_error.h"
#include "messaging/msg_receiver.h"
#include "messaging/value_tx_list.h"
#include "messaging/value_tx_interface.h"

class LValueHandler;
class LValueMsg;

class LValueTx : public LValueTxInterface
{
  public:
    enum State : int32_t { kIdle = 0, kCollecting = 1, kFailed = 2 };

    LValueTx();
    LValueTx(const LValueTx&) = delete;
    LValueTx& operator=(const LValueTx&) = delete;
    ~LValueTx();

    static LValueTx& GetGlobal();

    // Opens a level for the handler (null for a group of changes) and its message; `first` tells
    // whether the handler joined the transaction with this level. False when the change is
    // refused: the transaction has failed, or the handler could not join or copy its value; the
    // message then carries the reason.
    bool Begin(LValueHandler* handler, LValueMsg& msg, bool& first);
    // Closes a level. At the outermost level the notifications are delivered and the working
    // copies committed or rolled back. False when no transaction is open.
    bool End(LValueHandler* handler, LValueMsg& msg);
    // Enrols an observer for the final notifications of the running transaction; false when
    // none is collecting or the observer is enrolled already.
    bool AddNotifyReceiver(LMsgReceiverInterface* receiver) override;
    // Rolls back whatever handlers are still listed and forgets everything: idle again.
    void Reset();

    State GetState() const { return state_; }
    int32_t GetDepth() const { return depth_; }

  private:
    // The receivers of one transaction. They stay with it until it has told them its outcome,
    // also when the global record has moved on to a transaction started by one of them.
    struct Members
    {
        LValueTxHandlerList handlers;
        LValueTxObserverList observers;
    };

    bool Refuse(LValueMsg& msg, const CError& reason);
    bool HaveMembers();
    bool DeliverNext(LValueMsg& msg);
    void Gather(const LValueMsg& msg, int32_t level);
    void Finish();
    void Recycle(std::unique_ptr<Members> members);

    State state_ = kIdle;
    int32_t depth_ = 0;
    LValueMsg* txMsg_ = nullptr;
    // Those of the running transaction; null until one needs them.
    std::unique_ptr<Members> members_;
    // Emptied lists kept with their room, so that a transaction allocates nothing once the
    // lists have grown to a record's size.
    std::unique_ptr<Members> spare_;
};
