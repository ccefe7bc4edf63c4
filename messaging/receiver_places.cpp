#include "messaging/internal/receiver_places.h"

#include <bit>
#include <new>

namespace {
constexpr size_t kFirstSlots = 32;
} // namespace


bool LMsgReceiverPlaces::Grow()
{
    std::vector<Slot> old;
    try {
        std::vector<Slot> larger(slots_.empty() ? kFirstSlots : 2 * slots_.size());
        old.swap(slots_);
        slots_.swap(larger);
    } catch (const std::bad_alloc&) {
        return false;
    }
    count_ = 0;
    for (const Slot& slot : old) {
        if (slot.receiver != nullptr) {
            slots_[SlotOf(slot.receiver)] = slot;
            ++count_;
        }
    }
    return true;
}

bool LMsgReceiverPlaces::GrowFor(size_t count)
{
    while (2 * count > slots_.size()) {
        if (!Grow())
            return false;
    }
    return true;
}

bool LMsgReceiverPlaces::Set(LMsgReceiverInterface* receiver, Place place)
{
    if (2 * (count_ + 1) > slots_.size() && !Grow()) {
        slots_ = {};
        count_ = 0;
        return false;
    }
    Slot& slot = slots_[SlotOf(receiver)];
    if (slot.receiver == nullptr)
        ++count_;
    slot = Slot{receiver, place};
    return true;
}


// The entries behind the removed one that could not stand in their home slot move back, so that
// every search still finds its receiver before the first empty slot.
void LMsgReceiverPlaces::Remove(LMsgReceiverInterface* receiver) noexcept
{
    if (count_ == 0)
        return;
    const size_t mask = slots_.size() - 1;
    size_t hole = SlotOf(receiver);
    if (slots_[hole].receiver == nullptr)
        return;
    --count_;
    for (size_t i = (hole + 1) & mask; slots_[i].receiver != nullptr; i = (i + 1) & mask) {
        const size_t home = Home(slots_[i].receiver);
        // The entry may move to the hole unless its home lies cyclically in (hole, i].
        const bool homeBetween = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
        if (!homeBetween) {
            slots_[hole] = slots_[i];
            hole = i;
        }
    }
    slots_[hole] = Slot();
}

void LMsgReceiverPlaces::Clear() noexcept
{
    if (count_ == 0)
        return;
    for (Slot& slot : slots_)
        slot = Slot();
    count_ = 0;
}
