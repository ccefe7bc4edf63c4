#include "messaging/value_tx_list.h"

#include "messaging/msg.h"
#include "messaging/msg_receiver.h"

#include <new>
#include <utility>

namespace {
constexpr size_t kFirstRoom = 16;
} // namespace

LValueTxList::~LValueTxList()
{
    DisconnectAll();
}

bool LValueTxList::Connect(LMsgReceiverInterface* receiver, int32_t)
{
    return Join(receiver) != Joining::kRefused;
}

LValueTxList::Joining LValueTxList::Join(LMsgReceiverInterface* receiver)
{
    if (!receiver)
        return Joining::kRefused;
    // Room first, so that a list that cannot grow stays as it was.
    try {
        if (entries_.size() == entries_.capacity())
            entries_.reserve(entries_.empty() ? kFirstRoom : 2 * entries_.size());
    } catch (const std::bad_alloc&) {
        return Joining::kRefused;
    }
    // Every place stands for an entry, also one left behind by DisconnectAll.
    if (!places_.Reserve(entries_.size() + 1))
        return Joining::kRefused;
    bool made = false;
    LMsgReceiverPlaces::Place& place = places_.Claim(receiver, made);
    // A place left behind by DisconnectAll, which forgets them only at its end, is taken again.
    if (!made && entries_[place.connection] == receiver)
        return Joining::kMember;
    place.connection = entries_.size();
    entries_.push_back(receiver);
    ++members_;
    if (receiver->SourceConnected(this))
        return Joining::kJoined;
    Disconnect(receiver);
    return Joining::kRefused;
}

bool LValueTxList::Disconnect(LMsgReceiverInterface* receiver)
{
    const LMsgReceiverPlaces::Place* place = places_.Find(receiver);
    if (!place)
        return false;
    LMsgReceiverInterface*& entry = entries_[place->connection];
    places_.Remove(receiver);
    // Let go by DisconnectAll already, which forgets the places only at its end.
    if (!entry)
        return false;
    entry = nullptr;
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

bool LValueTxList::Contains(LMsgReceiverInterface* receiver) const noexcept
{
    const LMsgReceiverPlaces::Place* place = places_.Find(receiver);
    return place && entries_[place->connection] == receiver;
}

LMsgReceiverInterface* LValueTxList::TakeUntold() noexcept
{
    while (told_ < entries_.size()) {
        if (LMsgReceiverInterface* receiver = entries_[told_++])
            return receiver;
    }
    return nullptr;
}

// The places are forgotten all at once at the end, not one look-up a member.
void LValueTxList::DisconnectAll()
{
    while (members_ > 0) {
        for (size_t i = entries_.size(); i-- > 0 && members_ > 0;) {
            if (LMsgReceiverInterface* receiver = std::exchange(entries_[i], nullptr)) {
                --members_;
                receiver->SourceDisconnected(this);
            }
        }
    }
    entries_.clear();
    places_.Clear();
    told_ = 0;
}
