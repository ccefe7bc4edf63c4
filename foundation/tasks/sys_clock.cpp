#include "foundation/tasks/sys_clock.h"

#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/l_task.h"
#include "foundation/tasks/time_source.h"

#include <cstdlib>

namespace {

constexpr int64_t kUsPerCs = 10000;
constexpr const char* kResyncTaskName = "GetSysTimeUs() resync";
constexpr uint32_t kResyncStackSize = 8192;
constexpr int32_t kResyncPeriodCs = 360000; // one hour
constexpr int32_t kStopWaitCs = 1000;       // at most 10 s at exit

// Process-wide clock state. The clock and the flags are read without a lock; the task and its
// wake mask change only under GlobalMutex.
struct ClockState
{
    LSysClock clock;
    std::atomic<bool> started{false};
    std::atomic<bool> stopping{false};
    LTask* resyncTask = nullptr;
    uint32_t wakeMask = 0;
};

constinit ClockState state;

void ResyncTaskMain(intptr_t, intptr_t)
{
    {
        LMutexLocker global(GlobalMutex);
        LTask* self = FindTask(nullptr);
        const int32_t bit = AllocSignal(self);
        if (self == state.resyncTask && bit >= 0) {
            state.wakeMask = 1u << bit;
        }
    }
    while (!state.stopping.load(std::memory_order_acquire)) {
        GetSysTimeUs(true);
        WaitSignals(FindTask(nullptr), state.wakeMask, kResyncPeriodCs);
    }
    LMutexLocker global(GlobalMutex);
    state.resyncTask = nullptr;
    state.wakeMask = 0;
}

// At exit: wakes the clock's task and waits for its end, at most kStopWaitCs.
void StopClock()
{
    LMutexLocker global(GlobalMutex);
    state.stopping.store(true, std::memory_order_release);
    if (state.resyncTask != nullptr) {
        SignalTask(state.resyncTask, state.wakeMask);
        WaitTaskEnd(state.resyncTask, kStopWaitCs);
    }
}

void StartClock()
{
    LMutexLocker global(GlobalMutex);
    if (state.started.load(std::memory_order_relaxed)) {
        return;
    }
    state.clock.Start(CurrentTimeSource().MonotonicUs());
    state.started.store(true, std::memory_order_release);
    LTask* task = CreateTask(kResyncTaskName, 0, ResyncTaskMain, kResyncStackSize, 0, 0);
    if (task != nullptr) {
        state.resyncTask = task;
        std::atexit(StopClock);
    }
}

} // namespace

void LSysClock::Start(uint64_t now)
{
    Store(now, 0);
}

int64_t LSysClock::ValueAt(const Snapshot& snapshot, uint64_t now)
{
    return static_cast<int64_t>(static_cast<uint64_t>(snapshot.accumulator) + (now - snapshot.base));
}

int64_t LSysClock::Read(uint64_t now) const
{
    return ValueAt(Load(), now);
}

int64_t LSysClock::Resync(uint64_t now)
{
    const Snapshot snapshot = Load();
    const int64_t result = ValueAt(snapshot, now);
    if (now - snapshot.base > kRebaseAfterUs) {
        Store(now, result);
    }
    return result;
}

uint64_t LSysClock::BaseUs() const
{
    return Load().base;
}

LSysClock::Snapshot LSysClock::Load() const
{
    for (;;) {
        const uint32_t before = sequence_.load(std::memory_order_acquire);
        const Snapshot snapshot{base_.load(std::memory_order_acquire),
                                accumulator_.load(std::memory_order_acquire)};
        if ((before & 1) == 0 && sequence_.load(std::memory_order_acquire) == before) {
            return snapshot;
        }
    }
}

void LSysClock::Store(uint64_t base, int64_t accumulator)
{
    const uint32_t sequence = sequence_.load(std::memory_order_relaxed);
    sequence_.store(sequence + 1, std::memory_order_release);
    base_.store(base, std::memory_order_release);
    accumulator_.store(accumulator, std::memory_order_release);
    sequence_.store(sequence + 2, std::memory_order_release);
}

int64_t GetSysTimeUs(bool resync)
{
    if (!state.started.load(std::memory_order_acquire)) {
        StartClock();
    }
    const uint64_t now = CurrentTimeSource().MonotonicUs();
    if (!resync) {
        return state.clock.Read(now);
    }
    LMutexLocker global(GlobalMutex);
    return state.clock.Resync(now);
}

int64_t GetSysTimeUsNow()
{
    return GetSysTimeUs(false);
}

int64_t GetSysTimeCs()
{
    return GetSysTimeUs() / kUsPerCs;
}
