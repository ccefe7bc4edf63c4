// Wait lists: tasks that wait for something to happen put an entry naming them and a signal bit
// on a list; whoever makes it happen signals them. Lists change only under GlobalMutex.
#pragma once

#include "foundation/strings/intrusive_list.h"
#include "foundation/tasks/l_task.h"

#include <cstdint>

struct LWaitListEntry
{
    ListNode node; // first, so that a list node is its entry
    LTask* task = nullptr;
    int32_t signalBit = 0; // 0..31
};

// Under GlobalMutex, unlinks every entry and signals its task with its bit.
void WaitListReleaseAll(ListHeader& list);
