#include "conversion/internal/published_table.h"

const uint8_t* PublishedTable::Publish(std::unique_ptr<uint8_t[]> built)
{
    LMutexLocker lock(GlobalMutex);
    uint8_t* expected = nullptr;
    if (bytes_.compare_exchange_strong(expected, built.get(), std::memory_order_acq_rel,
                                       std::memory_order_acquire)) {
        return built.release();
    }
    return expected;
}
