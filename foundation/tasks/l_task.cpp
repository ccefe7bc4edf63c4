#include "foundation/tasks/l_task.h"

#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/sleep_wait.h"
#include "foundation/tasks/sys_clock.h"
#include "foundation/text/text_compare.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kAutoTaskName = "Auto generated Task";
constexpr int32_t kFirstSignal = 8;
constexpr int32_t kSignalBits = 32;
constexpr int32_t kLocalWaitEvents = 8;
constexpr int64_t kEndPollCs = 10;

// A thread inside WaitTaskEnd: `waiter` is signalled with `mask` when `task` ends.
struct EndWait
{
    LTask* task;
    LTask* waiter;
    uint32_t mask;
};

// Lists guarded by GlobalMutex. Never destroyed: tasks may still end while the process exits.
struct TaskLibrary
{
    bool started = false;
    std::vector<LTask*> tasks;
    std::vector<EndWait*> endWaits;
};

TaskLibrary& Library()
{
    static TaskLibrary* library = new TaskLibrary;
    return *library;
}

thread_local LTask* currentTask = nullptr;

// Once, before any task operation: the clock starts with its own task.
void StartTaskLibrary()
{
    LMutexLocker global(GlobalMutex);
    if (Library().started) {
        return;
    }
    Library().started = true;
    GetSysTimeUs();
}

template <class T> void Unlink(std::vector<T*>& list, const T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool IsListedLocked(const LTask* task)
{
    const auto& tasks = Library().tasks;
    return std::find(tasks.begin(), tasks.end(), task) != tasks.end();
}

void ListLocked(LTask* task)
{
    if (!IsListedLocked(task)) {
        Library().tasks.push_back(task);
    }
}

LTask* NewRecord(const char* name, int32_t priority, LTaskEntry entry, uint32_t stackSize, intptr_t userData,
                 intptr_t argument, bool isStatic)
{
    LTask* task = new LTask;
    task->name = name != nullptr ? name : "";
    task->priority = priority;
    task->entry = entry;
    task->stackSize = stackSize;
    task->userData = userData;
    task->argument = argument;
    task->isStatic = isStatic;
    LMutexLocker global(GlobalMutex);
    ListLocked(task);
    return task;
}

// The calling thread's record, made for a thread that CreateTask did not start.
LTask* CurrentTask()
{
    if (currentTask == nullptr) {
        currentTask = NewRecord(kAutoTaskName, 0, nullptr, 0, 0, 0, true);
    }
    return currentTask;
}

void EndTask(LTask* task)
{
    LMutexLocker global(GlobalMutex);
    for (EndWait* wait : Library().endWaits) {
        if (wait->task == task) {
            SignalTask(wait->waiter, wait->mask);
        }
    }
    Unlink(Library().tasks, task);
    task->thread = std::thread::id();
    delete task;
}

void RunTask(LTask* task)
{
    currentTask = task;
    // Waits here until CreateTask has stored the thread.
    GlobalMutex.Lock();
    GlobalMutex.Unlock();
    task->entry(task->userData, task->argument);
    EndTask(task);
}

bool IsRunningLocked(const LTask* task)
{
    return IsListedLocked(task) && task->thread != std::thread::id();
}

uint32_t TakePendingLocked(LTask* task, uint32_t mask)
{
    const uint32_t arrived = task->pendingSignals & mask;
    task->pendingSignals &= ~arrived;
    return arrived;
}

bool AnyExtraEventSet(int32_t extraCount, LEvent* const extraEvents[])
{
    const int32_t result = WaitObjectsUnlocked(extraCount, extraEvents, false, 0);
    return result >= kWaitObject0 && result < kWaitObject0 + extraCount;
}

} // namespace

LTask* CreateTask(const char* name, int32_t priority, LTaskEntry entry, uint32_t stackSize, intptr_t userData,
                  intptr_t argument)
{
    StartTaskLibrary();
    LTask* task = nullptr;
    try {
        task = NewRecord(name, priority, entry, stackSize, userData, argument, false);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    LMutexLocker global(GlobalMutex);
    try {
        std::thread thread(RunTask, task);
        task->thread = thread.get_id();
        thread.detach();
    } catch (const std::system_error&) {
        // The record stays listed without a thread; WaitTaskEnd treats it as ended.
    }
    return task;
}

LTask* FindTask(const char* name)
{
    StartTaskLibrary();
    if (name == nullptr || *name == '\0') {
        return CurrentTask();
    }
    LMutexLocker global(GlobalMutex);
    for (LTask* task : Library().tasks) {
        if (StrEqualNoCase(task->name.c_str(), name)) {
            return task;
        }
    }
    return nullptr;
}

int32_t AllocSignal(LTask* task)
{
    if (task == nullptr) {
        return -1;
    }
    LMutexLocker global(GlobalMutex);
    for (int32_t bit = kFirstSignal; bit < kSignalBits; ++bit) {
        const uint32_t mask = 1u << bit;
        if ((task->allocatedSignals & mask) == 0) {
            task->allocatedSignals |= mask;
            task->pendingSignals &= ~mask;
            return bit;
        }
    }
    return -1;
}

void FreeSignal(LTask* task, int32_t bit)
{
    if (task == nullptr || bit < 0 || bit >= kSignalBits) {
        return;
    }
    LMutexLocker global(GlobalMutex);
    task->allocatedSignals &= ~(1u << bit);
}

int32_t SignalTask(LTask* task, uint32_t mask)
{
    if (task == nullptr) {
        return 0;
    }
    LMutexLocker global(GlobalMutex);
    task->pendingSignals |= mask;
    if ((task->waitedSignals & task->pendingSignals) != 0) {
        task->event.Set();
    }
    return 1;
}

uint32_t WaitSignals(LTask* task, uint32_t mask, int32_t timeoutCs, int32_t extraCount,
                     LEvent* const extraEvents[])
{
    if (task == nullptr) {
        return 0;
    }
    LMutexLocker global(GlobalMutex);
    if (const uint32_t arrived = TakePendingLocked(task, mask)) {
        return arrived;
    }
    if (extraCount > 0 && AnyExtraEventSet(extraCount, extraEvents)) {
        return 0;
    }
    if (timeoutCs < 1) {
        return 0;
    }
    std::vector<LEvent*> events;
    events.reserve(kLocalWaitEvents);
    events.push_back(&task->event);
    if (extraCount > 0 && extraEvents != nullptr) {
        events.insert(events.end(), extraEvents, extraEvents + extraCount);
    }
    task->event.Reset();
    task->waitedSignals = mask;
    WaitObjectsUnlocked(static_cast<int32_t>(events.size()), events.data(), false, CsToMs(timeoutCs));
    task->waitedSignals = 0;
    return TakePendingLocked(task, mask);
}

bool WaitTaskEnd(LTask* task, int32_t timeoutCs)
{
    if (task == nullptr) {
        return false;
    }
    LMutexLocker global(GlobalMutex);
    if (!IsListedLocked(task)) {
        return true;
    }
    LTask* self = FindTask(nullptr);
    const int32_t bit = AllocSignal(self);
    if (bit < 0) {
        return false;
    }
    EndWait entry{task, self, 1u << bit};
    Library().endWaits.push_back(&entry);
    const int64_t start = GetSysTimeCs();
    bool ended = false;
    for (;;) {
        const int64_t remaining = start + timeoutCs - GetSysTimeCs();
        if (remaining < 1) {
            break;
        }
        if (WaitSignals(self, entry.mask, static_cast<int32_t>(std::min(remaining, kEndPollCs))) != 0 ||
            !IsRunningLocked(task)) {
            ended = true;
            break;
        }
    }
    Unlink(Library().endWaits, &entry);
    FreeSignal(self, bit);
    return ended;
}
