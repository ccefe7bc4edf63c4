#include "messaging/msg_distributor.h"

#include "messaging/msg.h"
#include "messaging/msg_receiver.h"

#include <algorithm>
#include <new>

// One Dispatch in progress. The sends of one distributor nest on the call stack, so the attached
// cursors form a stack: each links to the send it was started within.
struct LMsgDistributor::SendCursor
{
    SendCursor* outer;
    // Index of the entry this send calls next; at or past the end when it has none left. Every
    // insertion and removal keeps it there once it is past the end.
    int32_t next;
    // Cleared when the distributor disconnects everything or dies: the send must stop at once
    // and not touch the distributor again.
    bool attached;
};

LMsgDistributor::~LMsgDistributor()
{
    LMsgDistributor::DisconnectAll();
}

bool LMsgDistributor::Connect(LMsgReceiverInterface* receiver, int32_t priority)
{
    if (!receiver)
        return false;
    const int32_t found = IndexOf(receiver);
    if (found >= 0) {
        if (receivers_[found].priority == priority)
            return true;
        Disconnect(receiver);
    }
    if (!InsertEntry(InsertionIndex(priority), Entry{receiver, priority, ++connections_}))
        return false;
    if (receiver->SourceConnected(this))
        return true;
    Disconnect(receiver);
    return false;
}

bool LMsgDistributor::Disconnect(LMsgReceiverInterface* receiver)
{
    const int32_t index = IndexOf(receiver);
    if (index < 0)
        return false;
    RemoveEntry(index);
    receiver->SourceDisconnected(this);
    return true;
}

bool LMsgDistributor::Dispatch(LMsg& msg)
{
    SendCursor cursor{sends_, 0, true};
    sends_ = &cursor;
    struct Unlink
    {
        LMsgDistributor& distributor;
        SendCursor& cursor;
        ~Unlink()
        {
            if (cursor.attached)
                distributor.sends_ = cursor.outer;
        }
    } unlink{*this, cursor};

    while (cursor.next < static_cast<int32_t>(receivers_.size())) {
        LMsgReceiverInterface* receiver = receivers_[cursor.next].receiver;
        ++cursor.next;
        receiver->Receive(msg);
        if (!cursor.attached || msg.IsDone())
            break;
    }
    return true;
}

void LMsgDistributor::DisconnectAll()
{
    while (!receivers_.empty()) {
        const int32_t last = static_cast<int32_t>(receivers_.size()) - 1;
        LMsgReceiverInterface* receiver = receivers_[last].receiver;
        RemoveEntry(last);
        receiver->SourceDisconnected(this);
    }
    for (SendCursor* cursor = sends_; cursor; cursor = cursor->outer)
        cursor->attached = false;
    sends_ = nullptr;
}

LMsgReceiverInterface* LMsgDistributor::FirstReceiver() const noexcept
{
    return receivers_.empty() ? nullptr : receivers_.front().receiver;
}

bool LMsgDistributor::IsConnected(LMsgReceiverInterface* receiver) const noexcept
{
    return IndexOf(receiver) >= 0;
}

int32_t LMsgDistributor::IndexOf(LMsgReceiverInterface* receiver) const noexcept
{
    if (places_.IsEmpty()) {
        for (int32_t i = static_cast<int32_t>(receivers_.size()); i-- > 0;) {
            if (receivers_[i].receiver == receiver)
                return i;
        }
        return -1;
    }
    const Place* found = places_.Find(receiver);
    if (!found)
        return -1;
    // Lists that are emptied from the front or filled at the back are asked for their ends.
    if (receivers_.front().receiver == receiver)
        return 0;
    if (receivers_.back().receiver == receiver)
        return static_cast<int32_t>(receivers_.size()) - 1;
    const Place place = *found;
    const auto at =
        std::lower_bound(receivers_.begin(), receivers_.end(), place, [](const Entry& e, const Place& p) {
            return e.priority > p.priority || (e.priority == p.priority && e.connection < p.connection);
        });
    return at != receivers_.end() && at->receiver == receiver ? static_cast<int32_t>(at - receivers_.begin())
                                                              : -1;
}

// The first entry whose priority is lower: entries of higher or equal priority come first.
int32_t LMsgDistributor::InsertionIndex(int32_t priority) const noexcept
{
    if (receivers_.empty() || receivers_.back().priority >= priority)
        return static_cast<int32_t>(receivers_.size());
    const auto at = std::partition_point(receivers_.begin(), receivers_.end(),
                                         [priority](const Entry& e) { return e.priority >= priority; });
    return static_cast<int32_t>(at - receivers_.begin());
}

bool LMsgDistributor::InsertEntry(int32_t index, const Entry& entry)
{
    try {
        receivers_.insert(receivers_.begin() + index, entry);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!places_.IsEmpty() || receivers_.size() > kSearchedEntries)
        IndexReceiver(entry);
    for (SendCursor* cursor = sends_; cursor; cursor = cursor->outer) {
        if (cursor->next >= index)
            ++cursor->next;
    }
    return true;
}

// Without room for the index the list is searched, as a short one is.
void LMsgDistributor::IndexReceiver(const Entry& entry)
{
    if (!places_.IsEmpty()) {
        places_.Set(entry.receiver, Place{entry.priority, entry.connection});
        return;
    }
    for (const Entry& e : receivers_) {
        if (!places_.Set(e.receiver, Place{e.priority, e.connection}))
            return;
    }
}

void LMsgDistributor::RemoveEntry(int32_t index)
{
    places_.Remove(receivers_[static_cast<size_t>(index)].receiver);
    receivers_.erase(receivers_.begin() + index);
    if (receivers_.empty())
        places_.Clear();
    for (SendCursor* cursor = sends_; cursor; cursor = cursor->outer) {
        if (cursor->next > index)
            --cursor->next;
    }
}
