#pragma once
// HMEM, the handle heap: large shared buffers (pictures with their palettes and pixels,
// background bitmaps) live in blocks named by a 32-bit handle, each with a reference count, a lock
// count and an optional release callback. Blocks come from the ordinary heap and never move; a
// handle is the number of the block's slot in the handle table. -1 names no block, and so does 0.
// HMemHandle and HMemRef are the holders that keep the counts right.

#include <cstddef>
#include <cstdint>

constexpr int32_t kHMemNoHandle = -1;

// Runs once, outside the HMEM lock, just before the block's memory goes back to the heap.
using HMemReleaseCallback = void (*)(void* payload, intptr_t userData);

// Once per process: makes the HMEM lock. Every operation below calls it first.
void HMemInit();

// A new block with reference count 1 (and lock count 1 when `locked`): the largest size between
// minSize and maxSize (each rounded up to a multiple of 4) that the heap grants, found by halving
// the distance to the minimum. Returns the payload and stores the handle, or returns null with
// handle -1 when not even the minimum can be had. The flags have no use in this heap mode.
void* HMemAlloc(int32_t& handle, int32_t minSize, int32_t maxSize, uint32_t flags, bool locked,
                HMemReleaseCallback release, intptr_t userData);

// Runs the release callback (once, outside the HMEM lock) and frees the block; nothing for an
// empty handle or a block that is already being freed.
void HMemFree(int32_t handle);

// A plain heap copy of the text (free it with std::free), its allocation rounded up to a multiple
// of 4 bytes; null for null.
char* HMemStrDup(const char* text);

// What a block's header says now; false for a handle that names no block.
struct HMemBlockInfo
{
    int32_t size;
    int32_t lockCount;
    int32_t referenceCount;
};
bool HMemGetInfo(int32_t handle, HMemBlockInfo& info);

// Where blocks come from; tests put a limited heap in place while no block is live. Returns the
// heap it replaces.
struct HMemHeap
{
    void* (*allocate)(std::size_t size);
    void (*release)(void* memory);
};
HMemHeap HMemSetHeap(HMemHeap heap);
