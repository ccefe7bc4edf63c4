#include "messaging/value_tx_list.h"

#include "messaging/msg.h"
#include "messaging/msg_receiver.h"

#include <new>

namespace {
constexpr size_t kFirstRoom = 16;
} // namespace

LValueTxList::~LValueTxList()
{
    DisconnectAll();
}

bool LValueTxList::Connect(LMsgReceiverInterface* receiver, int32_t)
{
    if (!receiver)
        return false;
    if (Contains(receiver))
        return true;
    // Room first, so that a list that cannot grow stays as it was.
    try {
        if (entries_.size() == entries_.capacity())
            entries_.reserve(entries_.empty() ? kFirstRoom : 2 * entries_.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!places_.Reserve(members_ + 1))
        return false;
    places_.Set(receiver, {0, entries_.size()});
    entries_.push_back(receiver);
    ++members_;
    if (receiver->SourceConnected(this))
        return true;
    Disconnect(receiver);
    return false;
}

bool LValueTxList::Disconnect(LMsgReceiverInterface* receiver)
{
    const LMsgReceiverPlaces::Place* place = places_.Find(receiver);
    if (!place)
        return false;
    entries_[place->connection] = nullptr;
    places_.Remove(receiver);
    --members_;
    receiver->SourceDisconnected(this);
    return true;
}

bool LValueTxList::Dispatch(LMsg& msg)
{
    // By position: a receiver may join or leave while it is called.
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (LMsgReceiverInterface* receiver = entries_[i]) {
            receiver->Receive(msg);
            if (msg.IsDone())
                break;
        }
    }
    return true;
}

LMsgReceiverInterface* LValueTxList::TakeUntold() noexcept
{
    while (told_ < entries_.size()) {
        if (LMsgReceiverInterface* receiver = entries_[told_++])
            return receiver;
    }
    return nullptr;
}

void LValueTxList::DisconnectAll()
{
    while (members_ > 0) {
        for (size_t i = entries_.size(); i-- > 0 && members_ > 0;) {
            if (LMsgReceiverInterface* receiver = entries_[i])
                Disconnect(receiver);
        }
    }
    entries_.clear();
    places_.Clear();
    told_ = 0;
}
