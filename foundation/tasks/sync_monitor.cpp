#include "foundation/tasks/sync_monitor.h"

#include <unistd.h>

LSyncDeadline LSyncDeadline::AfterMs(int64_t ms)
{
    LSyncDeadline deadline;
    deadline.never_ = false;
    deadline.when_ = LSyncClock::now() + std::chrono::milliseconds(ms);
    return deadline;
}

LSyncMonitor& SyncMonitor()
{
    // Never destroyed: threads still running at exit keep using it.
    static LSyncMonitor* monitor = new LSyncMonitor;
    return *monitor;
}

int32_t CurrentThreadId()
{
    thread_local const int32_t id = static_cast<int32_t>(gettid());
    return id;
}
