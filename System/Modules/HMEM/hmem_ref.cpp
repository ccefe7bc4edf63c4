#include "System/Modules/HMEM/hmem_ref.h"

#include "System/Modules/HMEM/internal/hmem_block.h"
#include "System/Modules/HMEM/hmem_handle.h"

HMemRef::HMemRef(int32_t handle)
{
    LockHandle(handle);
}

HMemRef::HMemRef(const HMemRef& other)
{
    LockHandle(other.handle_);
}

void HMemRef::AssignHandle(const HMemHandle& holder)
{
    LockHandle(holder.GetHandle());
}

void HMemRef::Assign(const HMemRef& other)
{
    if (&other != this) {
        LockHandle(other.handle_);
    }
}

// Locks the new block first, so that assigning a reference to the same block keeps it alive.
void HMemRef::LockHandle(int32_t handle)
{
    HMemInit();
    LMutexLocker lock(HMemLock());
    const int32_t old = handle_;
    void* data = HMemPayloadLocked(handle);
    handle_ = data != nullptr ? handle : kHMemNoHandle;
    data_ = data;
    HMemAddRefLocked(handle_, true);
    HMemDropRefLocked(old, true);
}

void* HMemRef::Alloc(int32_t size, uint32_t flags, HMemReleaseCallback release, intptr_t userData)
{
    Release();
    data_ = HMemAlloc(handle_, size, size, flags, true, release, userData);
    return data_;
}

void HMemRef::Release()
{
    if (handle_ == kHMemNoHandle) {
        return;
    }
    HMemInit();
    LMutexLocker lock(HMemLock());
    const int32_t old = handle_;
    handle_ = kHMemNoHandle;
    data_ = nullptr;
    HMemDropRefLocked(old, true);
}
