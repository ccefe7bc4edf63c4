#include "foundation/tasks/internal/wait_list.h"

#include "foundation/tasks/l_mutex.h"

namespace {

constexpr int32_t kSignalBits = 32;

} // namespace

void WaitListReleaseAll(ListHeader& list)
{
    LMutexLocker lock(GlobalMutex);
    while (ListNode* node = ListRemHead(list)) {
        const auto* entry = reinterpret_cast<const LWaitListEntry*>(node);
        if (entry->signalBit >= 0 && entry->signalBit < kSignalBits)
            SignalTask(entry->task, uint32_t{1} << entry->signalBit);
    }
}
