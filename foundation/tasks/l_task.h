#pragma once
// Tasks: one record per thread that the library knows, with a name, an auto-reset event and 32
// signal bits, so that one thread can wake another. Threads started by CreateTask end their
// record when their entry returns; any other thread gets a record of its own on its first
// FindTask(nullptr), which lives until the process ends.
//
// Every wait here gives up the caller's levels of GlobalMutex while it blocks; signal masks and
// the task lists change only under GlobalMutex.

#include "foundation/tasks/l_event.h"

#include <cstdint>
#include <string>
#include <thread>

using LTaskEntry = void (*)(intptr_t userData, intptr_t argument);

struct LTask
{
    // Bits 0-7 are never handed out, so at most 24 signals can be allocated.
    static constexpr uint32_t kReservedSignals = 0xFF;

    int32_t reserved = 0;
    std::string name;
    // Stored, not applied to the thread.
    int32_t priority = 0;
    LTaskEntry entry = nullptr;
    intptr_t userData = 0;
    intptr_t argument = 0;
    // Stored, not applied: threads get the system's default stack.
    uint32_t stackSize = 0;
    // Never freed: the record of a thread that CreateTask did not start.
    bool isStatic = false;
    // No thread before the start, after the end, and when the start failed.
    std::thread::id thread;
    LEvent event;
    uint32_t allocatedSignals = kReservedSignals;
    uint32_t pendingSignals = 0;
    // What the task is blocked on; 0 when it is not waiting.
    uint32_t waitedSignals = 0;
};

// Starts a thread that runs entry(userData, argument) and then ends its record. Null when memory
// runs out; a record whose thread could not start stays listed without a thread.
LTask* CreateTask(const char* name, int32_t priority, LTaskEntry entry, uint32_t stackSize, intptr_t userData,
                  intptr_t argument);

// With a non-empty name: the listed task of that name, compared without regard to case, or null.
// With no name (null or empty): the calling thread's task, made on the spot for a thread that
// has none ("Auto generated Task").
LTask* FindTask(const char* name);

// The lowest free signal bit of 8-31, marked allocated with its pending bit cleared; -1 when none
// is free or there is no task.
int32_t AllocSignal(LTask* task);
// Frees bit (0 <= bit < 32).
void FreeSignal(LTask* task, int32_t bit);
// Marks mask pending and wakes the task when it waits for one of those bits; 0 for no task,
// 1 otherwise.
int32_t SignalTask(LTask* task, uint32_t mask);

// The bits of mask that have arrived (cleared as they are returned). Waits up to timeoutCs for
// them; 0 on time-out, when one of the extra events was set, or for no task. A signal sent before
// the wait is not lost.
uint32_t WaitSignals(LTask* task, uint32_t mask, int32_t timeoutCs, int32_t extraCount = 0,
                     LEvent* const extraEvents[] = nullptr);

// True when the task has ended (or is not listed); false on time-out, when the caller's task
// has no free signal bit, or for no task.
bool WaitTaskEnd(LTask* task, int32_t timeoutCs);
