#include "System/Modules/HMEM/hmem_handle.h"

#include "System/Modules/HMEM/internal/hmem_block.h"
#include "System/Modules/HMEM/hmem_ref.h"

namespace {

bool NamesBlock(int32_t handle)
{
    return handle != kHMemNoHandle && handle != 0;
}

} // namespace

HMemHandle::~HMemHandle()
{
    if (NamesBlock(handle_)) {
        Release();
    }
}

bool HMemHandle::IsValid() const
{
    return NamesBlock(handle_);
}

void HMemHandle::Assign(const HMemHandle& other)
{
    if (&other != this) {
        AssignHandle(other.handle_);
    }
}

void HMemHandle::AssignFromRef(const HMemRef& ref)
{
    AssignHandle(ref.GetHandle());
}

void HMemHandle::AssignHandle(int32_t handle)
{
    if (handle_ == kHMemNoHandle && handle == kHMemNoHandle) {
        return;
    }
    HMemInit();
    LMutexLocker lock(HMemLock());
    const int32_t old = handle_;
    handle_ = NamesBlock(handle) && HMemNamesBlockLocked(handle) ? handle : kHMemNoHandle;
    HMemAddRefLocked(handle_, false);
    if (NamesBlock(old)) {
        HMemDropRefLocked(old, false);
    }
}

void HMemHandle::Release()
{
    if (!NamesBlock(handle_)) {
        handle_ = kHMemNoHandle;
        return;
    }
    HMemInit();
    LMutexLocker lock(HMemLock());
    const int32_t old = handle_;
    handle_ = kHMemNoHandle;
    HMemDropRefLocked(old, false);
}
