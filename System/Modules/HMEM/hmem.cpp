#include "System/Modules/HMEM/hmem.h"

#include "System/Modules/HMEM/internal/hmem_block.h"
#include "foundation/strings/never_destroyed.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr int32_t kSizeUnit = 4;
constexpr int64_t kMaxSize = 0x7FFFFFFC;
constexpr int32_t kFirstSlot = 1; // 0 names no block

struct HMemBlock
{
    int32_t link;
    int16_t areaId;
    int32_t size;
    int32_t handle;
    int32_t lockCount;
    int32_t referenceCount;
    HMemReleaseCallback release;
    intptr_t userData;
    // Set once HMemFree has begun, so that a release callback that lets go of the block again
    // does not free it a second time.
    bool beingFreed;
};

constexpr std::size_t kHeaderSize = (sizeof(HMemBlock) + alignof(std::max_align_t) - 1) /
                                    alignof(std::max_align_t) * alignof(std::max_align_t);

// The handle table: slot n holds the block of handle n; free slots are reused.
struct HandleTable
{
    std::vector<HMemBlock*> slots = std::vector<HMemBlock*>(kFirstSlot, nullptr);
    std::vector<int32_t> freeSlots;
};

HandleTable& Table()
{
    static HandleTable* table = new HandleTable;
    return *table;
}

constinit XNeverDestroyed<LMutex> hmemLock;
constinit std::atomic<bool> initialised{false};
constinit HMemHeap heap{std::malloc, std::free};

int64_t RoundUpToUnit(int64_t size)
{
    return (size + kSizeUnit - 1) / kSizeUnit * kSizeUnit;
}

void* Payload(HMemBlock* block)
{
    return reinterpret_cast<unsigned char*>(block) + kHeaderSize;
}

HMemBlock* FindLocked(int32_t handle)
{
    const auto& slots = Table().slots;
    if (handle < kFirstSlot || static_cast<std::size_t>(handle) >= slots.size()) {
        return nullptr;
    }
    return slots[handle];
}

// A slot for the block; kHMemNoHandle when the table cannot grow.
int32_t TakeSlotLocked(HMemBlock* block)
{
    HandleTable& table = Table();
    try {
        if (table.freeSlots.empty()) {
            table.freeSlots.reserve(table.slots.size() + 1);
            table.slots.push_back(block);
            return static_cast<int32_t>(table.slots.size() - 1);
        }
    } catch (const std::bad_alloc&) {
        return kHMemNoHandle;
    }
    const int32_t slot = table.freeSlots.back();
    table.freeSlots.pop_back();
    table.slots[slot] = block;
    return slot;
}

void ReturnSlotLocked(int32_t slot)
{
    Table().slots[slot] = nullptr;
    Table().freeSlots.push_back(slot); // room reserved when the slot was made
}

// The largest block between lo and hi bytes of payload that the heap grants, or null.
HMemBlock* AllocateBlock(const HMemHeap& source, int64_t lo, int64_t hi, int32_t& size)
{
    for (;;) {
        if (void* memory = source.allocate(kHeaderSize + static_cast<std::size_t>(hi))) {
            size = static_cast<int32_t>(hi);
            return static_cast<HMemBlock*>(memory);
        }
        const int64_t mid = (lo + hi) / 2 / kSizeUnit * kSizeUnit;
        if (mid < lo || mid >= hi) {
            return nullptr;
        }
        hi = mid;
    }
}

} // namespace

LMutex& HMemLock()
{
    return hmemLock.Get();
}

void HMemInit()
{
    if (initialised.load(std::memory_order_acquire)) {
        return;
    }
    LMutexLocker global(GlobalMutex);
    if (initialised.load(std::memory_order_relaxed)) {
        return;
    }
    HMemLock().Init();
    initialised.store(true, std::memory_order_release);
}

void* HMemAlloc(int32_t& handle, int32_t minSize, int32_t maxSize, uint32_t, bool locked,
                HMemReleaseCallback release, intptr_t userData)
{
    HMemInit();
    handle = kHMemNoHandle;
    const int64_t hi = std::min(RoundUpToUnit(std::max(minSize, maxSize)), kMaxSize);
    const int64_t lo = RoundUpToUnit(minSize);
    if (minSize < 0 || lo > kMaxSize) {
        return nullptr;
    }
    HMemHeap source{};
    {
        LMutexLocker lock(HMemLock());
        source = heap;
    }
    int32_t size = 0;
    HMemBlock* block = AllocateBlock(source, lo, hi, size);
    if (block == nullptr) {
        return nullptr;
    }
    *block = HMemBlock{0, 0, size, kHMemNoHandle, locked ? 1 : 0, 1, release, userData, false};
    LMutexLocker lock(HMemLock());
    block->handle = TakeSlotLocked(block);
    if (block->handle == kHMemNoHandle) {
        source.release(block);
        return nullptr;
    }
    handle = block->handle;
    return Payload(block);
}

void HMemFree(int32_t handle)
{
    HMemInit();
    LMutexLocker lock(HMemLock());
    HMemBlock* block = FindLocked(handle);
    if (block == nullptr || block->beingFreed) {
        return;
    }
    block->beingFreed = true;
    if (const HMemReleaseCallback release = block->release) {
        block->lockCount = 1;
        block->referenceCount = 1;
        block->release = nullptr;
        int32_t levels = 0;
        HMemLock().ReleaseAll(levels);
        release(Payload(block), block->userData);
        HMemLock().Reacquire(levels);
    }
    ReturnSlotLocked(block->handle);
    heap.release(block);
}

char* HMemStrDup(const char* text)
{
    if (text == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(text) + 1;
    const auto rounded = static_cast<std::size_t>(RoundUpToUnit(static_cast<int64_t>(length)));
    auto* copy = static_cast<char*>(std::calloc(rounded, 1));
    if (copy != nullptr) {
        std::memcpy(copy, text, length);
    }
    return copy;
}

bool HMemGetInfo(int32_t handle, HMemBlockInfo& info)
{
    HMemInit();
    LMutexLocker lock(HMemLock());
    const HMemBlock* block = FindLocked(handle);
    if (block == nullptr) {
        return false;
    }
    info = HMemBlockInfo{block->size, block->lockCount, block->referenceCount};
    return true;
}

HMemHeap HMemSetHeap(HMemHeap replacement)
{
    HMemInit();
    LMutexLocker lock(HMemLock());
    const HMemHeap previous = heap;
    heap = replacement;
    return previous;
}

bool HMemNamesBlockLocked(int32_t handle)
{
    return FindLocked(handle) != nullptr;
}

void* HMemPayloadLocked(int32_t handle)
{
    HMemBlock* block = FindLocked(handle);
    return block != nullptr ? Payload(block) : nullptr;
}

void HMemAddRefLocked(int32_t handle, bool lock)
{
    if (HMemBlock* block = FindLocked(handle)) {
        ++block->referenceCount;
        if (lock) {
            ++block->lockCount;
        }
    }
}

void HMemDropRefLocked(int32_t handle, bool unlock)
{
    HMemBlock* block = FindLocked(handle);
    if (block == nullptr) {
        return;
    }
    if (unlock && block->lockCount > 0) {
        --block->lockCount;
    }
    if (block->referenceCount-- <= 1) {
        HMemFree(handle);
    }
}
