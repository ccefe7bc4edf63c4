#pragma once
// Byte routines. They take the destination last; counts of 0 or less do nothing.

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

// Number of bytes before the terminator; 0 for null.
int32_t StrLen(const char* text) noexcept;
// Copies `count` bytes; overlapping ranges are fine.
void MemMove(const void* source, std::ptrdiff_t count, void* destination) noexcept;
// Fills `count` bytes with the low byte of `value`.
void MemSet(int value, std::ptrdiff_t count, void* destination) noexcept;
// True when the `count` bytes at a and b are equal (always for a count of 0 or less).
bool MemCompare(const void* a, std::ptrdiff_t count, const void* b) noexcept;
// Heap block of `size` bytes padded up to a multiple of 4; free it with std::free. Null when
// the heap is exhausted.
void* AllocRounded(std::size_t size) noexcept;

// Constructs an element in a slot that is already allocated and returns its address.
template <class T, class... Args> T* PlacementNew(void* address, Args&&... args)
{
    return ::new (address) T(std::forward<Args>(args)...);
}

// Writes a saved value back into a flag when the scope ends (clears re-entry flags).
template <class T> class XARestoreOnExit
{
  public:
    XARestoreOnExit(T* flag, T saved) noexcept : flag_(flag), saved_(saved) {}
    XARestoreOnExit(const XARestoreOnExit&) = delete;
    XARestoreOnExit& operator=(const XARestoreOnExit&) = delete;
    ~XARestoreOnExit() { Restore(); }

    void Restore() noexcept { *flag_ = saved_; }

  private:
    T* flag_;
    T saved_;
};
