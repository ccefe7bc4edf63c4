#pragma once
// HMemHandle: a counted reference to a handle-heap block by its handle. Copies share the block;
// the holder that lets go last frees it.

#include <cstdint>

class HMemRef;

class HMemHandle
{
  public:
    HMemHandle() = default;
    HMemHandle(const HMemHandle& other) { Assign(other); }
    HMemHandle& operator=(const HMemHandle& other)
    {
        Assign(other);
        return *this;
    }
    ~HMemHandle();

    // Takes a reference on the other's block, then drops its own.
    void Assign(const HMemHandle& other);
    // The same with the block of a locked reference.
    void AssignFromRef(const HMemRef& ref);
    // Drops its reference; the handle becomes -1.
    void Release();

    int32_t GetHandle() const { return handle_; }
    bool IsValid() const;

  private:
    void AssignHandle(int32_t handle);

    int32_t handle_ = -1;
};
