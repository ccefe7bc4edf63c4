#pragma once
// LMsgReceiverPlaces: where each receiver of a long distributor list stands, found in constant
// time. An open-addressed table (linear probing, removal by shifting the entries behind back), so
// that a list whose receivers come and go on every change (a value transaction's) allocates
// nothing once the table has grown to the list's size.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

class LMsgReceiverInterface;

class LMsgReceiverPlaces
{
  public:
    struct Place
    {
        int32_t priority;
        uint64_t connection;
    };

    bool IsEmpty() const noexcept { return count_ == 0; }
    // Makes room for this many places; false, with every place kept, when the table cannot grow.
    bool Reserve(size_t count) { return 2 * count <= slots_.size() || GrowFor(count); }
    // Adds or replaces the receiver's place; false when the table cannot grow (it is then empty).
    bool Set(LMsgReceiverInterface* receiver, Place place);
    // The receiver's place, made (and `made` set) when it has none. Only after Reserve has made
    // room for one more.
    Place& Claim(LMsgReceiverInterface* receiver, bool& made) noexcept;
    // Null when the receiver has no place.
    const Place* Find(LMsgReceiverInterface* receiver) const noexcept;
    void Remove(LMsgReceiverInterface* receiver) noexcept;
    // Forgets every place and keeps the room.
    void Clear() noexcept;

  private:
    struct Slot
    {
        LMsgReceiverInterface* receiver = nullptr;
        Place place{};
    };

    size_t Home(const LMsgReceiverInterface* receiver) const noexcept;
    size_t SlotOf(const LMsgReceiverInterface* receiver) const noexcept;
    bool Grow();
    bool GrowFor(size_t count);

    // A power of two in size, at most half full.
    std::vector<Slot> slots_;
    size_t count_ = 0;
};

// In line: a value transaction looks up every value it changes.

// Fibonacci hashing: receivers are objects, whose low address bits say little.
inline size_t LMsgReceiverPlaces::Home(const LMsgReceiverInterface* receiver) const noexcept
{
    constexpr uint64_t kHashFactor = 0x9E3779B97F4A7C15u;
    const uint64_t hash = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(receiver)) * kHashFactor;
    return static_cast<size_t>(hash >> (64 - std::countr_zero(slots_.size())));
}

// The receiver's slot, or the empty slot where it would go.
inline size_t LMsgReceiverPlaces::SlotOf(const LMsgReceiverInterface* receiver) const noexcept
{
    const size_t mask = slots_.size() - 1;
    size_t i = Home(receiver);
    while (slots_[i].receiver != nullptr && slots_[i].receiver != receiver)
        i = (i + 1) & mask;
    return i;
}

inline LMsgReceiverPlaces::Place& LMsgReceiverPlaces::Claim(LMsgReceiverInterface* receiver, bool& made) noexcept
{
    Slot& slot = slots_[SlotOf(receiver)];
    made = slot.receiver == nullptr;
    if (made) {
        slot.receiver = receiver;
        ++count_;
    }
    return slot.place;
}

inline const LMsgReceiverPlaces::Place* LMsgReceiverPlaces::Find(LMsgReceiverInterface* receiver) const noexcept
{
    if (count_ == 0)
        return nullptr;
    const Slot& slot = slots_[SlotOf(receiver)];
    return slot.receiver != nullptr ? &slot.place : nullptr;
}
