#pragma once
// Sleeps and waits. Each gives up every level of GlobalMutex that the calling thread holds while
// it blocks and takes them back afterwards.

#include "foundation/tasks/l_event.h"

#include <cstdint>

// Results of WaitObjectsUnlocked: kWaitObject0 + the index of the event that ended the wait
// (kWaitObject0 when all were waited for), kWaitTimeout, or kWaitFailed for a bad argument.
constexpr int32_t kWaitObject0 = 0;
constexpr int32_t kWaitTimeout = 0x102;
constexpr int32_t kWaitFailed = -1;
// Most events one wait watches.
constexpr int32_t kMaxWaitObjects = 64;
// A wait in milliseconds that has no limit.
constexpr int32_t kWaitNoLimitMs = -1;
// Centiseconds above this no longer fit in 32-bit milliseconds; longer sleeps and waits are cut
// to the longest that fits.
constexpr int32_t kMaxScaledWaitCs = 214748364;

// Milliseconds for a time-out in centiseconds, cut to the 32-bit range.
int32_t CsToMs(int32_t cs);

// Nothing when ms <= 0.
void SleepMs(int32_t ms);
// Nothing when cs <= 0.
void SleepCs(int32_t cs);

// Waits until one of the events (or all of them, with waitAll) is set, and takes what it waited
// for. A time-out of 0 only looks, and then GlobalMutex stays held; kWaitNoLimitMs waits without
// limit.
int32_t WaitObjectsUnlocked(int32_t count, LEvent* const events[], bool waitAll, int32_t ms);
