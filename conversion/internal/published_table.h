#pragma once
// A byte table that is built on first use and then shared by every thread for the life of the
// process. It is filled outside any lock and published under GlobalMutex only when no other
// thread published first; the loser frees its own copy. The pointer is published with release
// and read with acquire, so a reader never sees a table before its bytes.

#include "foundation/tasks/l_mutex.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>

class PublishedTable
{
  public:
    constexpr PublishedTable() = default;
    PublishedTable(const PublishedTable&) = delete;
    PublishedTable& operator=(const PublishedTable&) = delete;
    ~PublishedTable() { delete[] bytes_.exchange(nullptr); }

    // The published table, built with entry(i) for i = 0..size-1 when there is none yet; null
    // only when its memory cannot be had.
    template <typename Entry> const uint8_t* Get(int32_t size, Entry entry)
    {
        if (const uint8_t* ready = bytes_.load(std::memory_order_acquire)) {
            return ready;
        }
        std::unique_ptr<uint8_t[]> built(new (std::nothrow) uint8_t[static_cast<std::size_t>(size)]);
        if (!built) {
            return nullptr;
        }
        for (int32_t i = 0; i < size; ++i) {
            built[static_cast<std::size_t>(i)] = static_cast<uint8_t>(entry(i));
        }
        return Publish(std::move(built));
    }

  private:
    const uint8_t* Publish(std::unique_ptr<uint8_t[]> built);

    std::atomic<uint8_t*> bytes_{nullptr};
};
