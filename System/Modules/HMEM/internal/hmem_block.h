#pragma once
// The block operations that the holders (HMemHandle, HMemRef) build on. Each runs under the HMEM
// lock, which the caller holds (it is recursive).

#include "System/Modules/HMEM/hmem.h"
#include "foundation/tasks/l_mutex.h"

LMutex& HMemLock();

// True when the handle names a live block.
bool HMemNamesBlockLocked(int32_t handle);
// The block's payload, or null when the handle names none.
void* HMemPayloadLocked(int32_t handle);
// Reference count +1, and lock count +1 when `lock`.
void HMemAddRefLocked(int32_t handle, bool lock);
// Lock count -1 (never below 0) when `unlock`; then reference count -1, freeing the block when it
// held the last reference.
void HMemDropRefLocked(int32_t handle, bool unlock);
