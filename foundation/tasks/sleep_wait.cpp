#include "foundation/tasks/sleep_wait.h"

#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/time_source.h"

#include <limits>

namespace {

constexpr int32_t kMsPerCs = 10;

bool AllSetLocked(int32_t count, LEvent* const events[])
{
    for (int32_t i = 0; i < count; ++i) {
        if (!events[i]->IsSetLocked()) {
            return false;
        }
    }
    return true;
}

int32_t FirstSetLocked(int32_t count, LEvent* const events[])
{
    for (int32_t i = 0; i < count; ++i) {
        if (events[i]->IsSetLocked()) {
            return i;
        }
    }
    return -1;
}

// Takes what a satisfied wait waited for (auto-reset) and names it.
int32_t TakeLocked(int32_t count, LEvent* const events[], bool waitAll)
{
    if (waitAll) {
        for (int32_t i = 0; i < count; ++i) {
            events[i]->ResetLocked();
        }
        return kWaitObject0;
    }
    const int32_t index = FirstSetLocked(count, events);
    events[index]->ResetLocked();
    return kWaitObject0 + index;
}

bool ValidEvents(int32_t count, LEvent* const events[])
{
    if (count < 1 || count > kMaxWaitObjects || events == nullptr) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (events[i] == nullptr) {
            return false;
        }
    }
    return true;
}

} // namespace

int32_t CsToMs(int32_t cs)
{
    return cs > kMaxScaledWaitCs ? std::numeric_limits<int32_t>::max() : cs * kMsPerCs;
}

void SleepMs(int32_t ms)
{
    if (ms <= 0) {
        return;
    }
    int32_t levels = 0;
    GlobalMutex.ReleaseAll(levels);
    CurrentTimeSource().SleepMs(ms);
    GlobalMutex.Reacquire(levels);
}

void SleepCs(int32_t cs)
{
    if (cs > 0) {
        SleepMs(CsToMs(cs));
    }
}

int32_t WaitObjectsUnlocked(int32_t count, LEvent* const events[], bool waitAll, int32_t ms)
{
    if (!ValidEvents(count, events)) {
        return kWaitFailed;
    }
    auto gate = SyncMonitor().Enter();
    const auto ready = [&] {
        return waitAll ? AllSetLocked(count, events) : FirstSetLocked(count, events) >= 0;
    };
    if (ready()) {
        return TakeLocked(count, events, waitAll);
    }
    if (ms == 0) {
        return kWaitTimeout;
    }
    const LSyncDeadline deadline = ms < 0 ? LSyncDeadline::Never() : LSyncDeadline::AfterMs(ms);
    return WaitGivingUpGlobal(gate, deadline, ready, [&](bool isReady) {
        return isReady ? TakeLocked(count, events, waitAll) : kWaitTimeout;
    });
}
