#pragma once
// HMemRef: a counted and locked reference to a handle-heap block that also holds the block's data
// pointer. The empty reference has handle -1 and no pointer.

#include "System/Modules/HMEM/hmem.h"

#include <cstdint>

class HMemHandle;

class HMemRef
{
  public:
    HMemRef() = default;
    // Locks the block that handle names (reference and lock count +1); empty when it names none.
    explicit HMemRef(int32_t handle);
    HMemRef(const HMemRef& other);
    HMemRef& operator=(const HMemRef& other)
    {
        Assign(other);
        return *this;
    }
    ~HMemRef() { Release(); }

    // Locks the holder's block, then unlocks and releases the old one.
    void AssignHandle(const HMemHandle& holder);
    // The same from another locked reference.
    void Assign(const HMemRef& other);
    // Lets go of the current block, then allocates a new one of size bytes with lock count 1 and
    // reference count 1. Returns its data, or null (and the reference is empty) when memory is out.
    void* Alloc(int32_t size, uint32_t flags, HMemReleaseCallback release, intptr_t userData);
    // Lock count -1, reference count -1 (the last one frees the block); empty afterwards.
    void Release();

    int32_t GetHandle() const { return handle_; }
    void* GetData() const { return data_; }
    template <class T> T* As() const { return static_cast<T*>(data_); }

  private:
    void LockHandle(int32_t handle);

    int32_t handle_ = kHMemNoHandle;
    void* data_ = nullptr;
};
