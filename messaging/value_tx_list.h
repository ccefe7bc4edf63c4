#pragma once
// LValueTxList: the handlers or the observers of one value transaction, in the order they
// joined. Each receiver is connected once when it joins and let go once when the transaction has
// told it the outcome; in between, whether it has been told of the change (kind 0) is a cursor
// over the list, not a move from one list to another, and whether it belongs to the transaction
// is one look-up in a table. A record of 132 values so costs 132 joins, not four joins and four
// leaves a value with list searches in each.
//
// The list is a source, so a receiver destroyed while it belongs to a transaction leaves it on
// its own. Sends through the list reach its receivers in order of joining; a receiver that left
// is never called again, and a send stops when the message is done.

#include "messaging/internal/receiver_places.h"
#include "messaging/msg_source.h"
#include "messaging/value_context_msg_encoder.h"
#include "messaging/value_notify_msg_encoder.h"

#include <cstddef>
#include <vector>

class LValueTxList : public LMsgSourceInterface
{
  public:
    LValueTxList() = default;
    // Lets every receiver go.
    ~LValueTxList() override;

    // Appends a receiver that is not a member and asks for its consent; a member: true, nothing
    // else. False when the list cannot grow or the receiver refuses. The priority is ignored:
    // members are called in order of joining.
    bool Connect(LMsgReceiverInterface* receiver, int32_t priority) override;
    // Takes the receiver out and tells it; false when it is not a member.
    bool Disconnect(LMsgReceiverInterface* receiver) override;
    // Calls the members in order until the list ends or the message is done: true.
    bool Dispatch(LMsg& msg) override;

    bool Contains(LMsgReceiverInterface* receiver) const noexcept;
    enum class Joining { kMember, kJoined, kRefused };
    // Connect with one look-up, saying whether the receiver was a member already.
    Joining Join(LMsgReceiverInterface* receiver);
    bool IsEmpty() const noexcept { return members_ == 0; }
    // The first member that has not been told of the change yet, now counted as told; null when
    // every member has been.
    LMsgReceiverInterface* TakeUntold() noexcept;
    // Lets every member go, last first, and keeps the room for the next transaction.
    void DisconnectAll();

  private:
    // Members in order of joining; a member that left leaves a null behind, so that positions,
    // the cursor and sends in progress stay where they are.
    std::vector<LMsgReceiverInterface*> entries_;
    // Each member's position in entries_, in its place's connection field.
    LMsgReceiverPlaces places_;
    size_t members_ = 0;
    // Entries before it have been told of the change.
    size_t told_ = 0;
};

// The transaction's handlers: the context messages sent through the list reach each of them.
class LValueTxHandlerList : public LValueTxList, public LValueContextMsgEncoder
{
  public:
    bool Send(LMsg& msg) override { return LMsgSenderInterface::Send(msg); }
};

// The transaction's observers: the notifications sent through the list reach each of them.
class LValueTxObserverList : public LValueTxList, public LValueNotifyMsgEncoder
{
  public:
    bool Send(LMsg& msg) override { return LMsgSenderInterface::Send(msg); }
};
