#include "foundation/tasks/sleep_wait.h"

#include "foundation/tasks/test_support/fake_time_source.h"
#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/test_support/test_watchdog.h"

#include <gtest/gtest.h>

#include <climits>
#include <latch>
#include <thread>

namespace {

TEST(SleepCs, ScalesToMillisecondsAndSaturates)
{
    struct Case
    {
        int32_t cs;
        int32_t expectedMs; // 0: no sleep at all
    };
    const Case cases[] = {
        {-5, 0},
        {0, 0},
        {1, 10},
        {360000, 3600000},
        {214748364, 2147483640},
        {214748365, INT_MAX},
        {INT_MAX, INT_MAX},
    };
    for (const Case& c : cases) {
        FakeTimeSource source;
        SleepCs(c.cs);
        if (c.expectedMs == 0) {
            EXPECT_TRUE(source.sleeps.empty()) << c.cs;
        } else {
            ASSERT_EQ(source.sleeps.size(), 1u) << c.cs;
            EXPECT_EQ(source.sleeps[0].ms, c.expectedMs) << c.cs;
        }
    }
}

TEST(SleepMs, GivesUpGlobalMutexWhileSleeping)
{
    FakeTimeSource source;
    GlobalMutex.Lock();
    GlobalMutex.Lock();
    SleepMs(25);
    SleepMs(0);
    ASSERT_EQ(source.sleeps.size(), 1u);
    EXPECT_EQ(source.sleeps[0].ms, 25);
    EXPECT_EQ(source.sleeps[0].globalLevelsHeld, 0);
    EXPECT_EQ(GlobalMutex.GetCount(), 2);
    EXPECT_EQ(GlobalMutex.GetOwner(), CurrentThreadId());
    GlobalMutex.Unlock();
    GlobalMutex.Unlock();
}

TEST(WaitObjectsUnlocked, PollTakesTheFirstSetEventAndKeepsGlobalMutex)
{
    LEvent first;
    LEvent second;
    LEvent* events[] = {&first, &second};
    GlobalMutex.Lock();
    EXPECT_EQ(WaitObjectsUnlocked(2, events, false, 0), kWaitTimeout);
    second.Set();
    EXPECT_EQ(WaitObjectsUnlocked(2, events, false, 0), kWaitObject0 + 1);
    EXPECT_FALSE(second.IsSet());
    first.Set();
    second.Set();
    EXPECT_EQ(WaitObjectsUnlocked(2, events, false, 0), kWaitObject0);
    EXPECT_TRUE(second.IsSet());
    EXPECT_EQ(WaitObjectsUnlocked(2, events, true, 0), kWaitTimeout);
    first.Set();
    EXPECT_EQ(WaitObjectsUnlocked(2, events, true, 0), kWaitObject0);
    EXPECT_FALSE(first.IsSet());
    EXPECT_FALSE(second.IsSet());
    EXPECT_EQ(GlobalMutex.GetCount(), 1);
    GlobalMutex.Unlock();
}

TEST(WaitObjectsUnlocked, RejectsBadArguments)
{
    LEvent event;
    LEvent* events[] = {&event, nullptr};
    EXPECT_EQ(WaitObjectsUnlocked(0, events, false, 0), kWaitFailed);
    EXPECT_EQ(WaitObjectsUnlocked(2, events, false, 0), kWaitFailed);
    EXPECT_EQ(WaitObjectsUnlocked(1, nullptr, false, 0), kWaitFailed);
    EXPECT_EQ(WaitObjectsUnlocked(kMaxWaitObjects + 1, events, false, 0), kWaitFailed);
}

TEST(WaitObjectsUnlocked, TimesOutWithGlobalLevelsBack)
{
    LEvent event;
    LEvent* events[] = {&event};
    GlobalMutex.Lock();
    EXPECT_EQ(WaitObjectsUnlocked(1, events, false, 5), kWaitTimeout);
    EXPECT_EQ(GlobalMutex.GetCount(), 1);
    GlobalMutex.Unlock();
}

TEST(WaitObjectsUnlocked, EventFromAThreadThatNeedsGlobalMutex)
{
    RunWithWatchdog([] {
        LEvent event;
        LEvent* events[] = {&event};
        std::latch waiting(1);
        GlobalMutex.Lock();
        GlobalMutex.Lock();
        std::thread setter([&] {
            waiting.wait();
            LMutexLocker global(GlobalMutex); // free only while the waiter waits
            event.Set();
        });
        waiting.count_down();
        EXPECT_EQ(WaitObjectsUnlocked(1, events, false, kWaitNoLimitMs), kWaitObject0);
        EXPECT_EQ(GlobalMutex.GetCount(), 2);
        setter.join();
        GlobalMutex.Unlock();
        GlobalMutex.Unlock();
    });
}

TEST(WaitObjectsUnlocked, EachSetReleasesOneWaiter)
{
    RunWithWatchdog([] {
        LEvent event;
        LEvent* events[] = {&event};
        std::atomic<int> woken{0};
        auto waiter = [&] {
            if (WaitObjectsUnlocked(1, events, false, kWaitNoLimitMs) == kWaitObject0) {
                ++woken;
            }
        };
        std::thread a(waiter);
        std::thread b(waiter);
        event.Set();
        while (woken.load() == 0) {
            std::this_thread::yield();
        }
        event.Set();
        a.join();
        b.join();
        EXPECT_EQ(woken.load(), 2);
        EXPECT_FALSE(event.IsSet());
    });
}

} // namespace
