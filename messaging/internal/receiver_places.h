#pragma once
// LMsgReceiverPlaces: where each receiver of a long distributor list stands, found in constant
// time. An open-addressed table (linear probing, removal by shifting the entries behind back), so
// that a list whose receivers come and go on every change (a value transaction's) allocates
// nothing once the table has grown to the list's size.

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
    bool Reserve(size_t count);
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

    // A power of two in size, at most half full.
    std::vector<Slot> slots_;
    size_t count_ = 0;
};
