#include "foundation/tasks/l_mutex.h"

#include "foundation/tasks/test_support/test_watchdog.h"

#include <gtest/gtest.h>

#include <latch>
#include <thread>

namespace {

// Runs fn on another thread and waits for it.
template <class Fn> void OnOtherThread(Fn fn)
{
    std::thread(fn).join();
}

TEST(LMutex, RecursionLevelsCountUpAndDown)
{
    LMutex mutex;
    mutex.Init();
    const int32_t me = CurrentThreadId();
    for (int32_t level = 1; level <= 3; ++level) {
        EXPECT_EQ(mutex.Lock(), level);
        EXPECT_EQ(mutex.GetOwner(), me);
    }
    struct Step
    {
        int32_t remaining;
        int32_t owner;
    };
    for (const Step& step : {Step{2, me}, Step{1, me}, Step{0, -1}}) {
        EXPECT_EQ(mutex.Unlock(), step.remaining);
        EXPECT_EQ(mutex.GetOwner(), step.owner);
        EXPECT_EQ(mutex.GetCount(), step.remaining);
    }
}

LMutex zeroFilledMutex;

TEST(LMutex, ZeroFilledStaticLockInitialisesOnFirstLock)
{
    EXPECT_FALSE(zeroFilledMutex.IsInitialised());
    EXPECT_EQ(zeroFilledMutex.Lock(), 1);
    EXPECT_TRUE(zeroFilledMutex.IsInitialised());
    EXPECT_EQ(zeroFilledMutex.Unlock(), 0);
}

TEST(LMutex, ZeroTimeOutOnlyTries)
{
    LMutex mutex;
    mutex.Init();
    EXPECT_EQ(mutex.LockTimeout(0), 1);
    OnOtherThread([&] { EXPECT_EQ(mutex.LockTimeout(0), 0); });
    EXPECT_EQ(mutex.Unlock(), 0);
    OnOtherThread([&] {
        EXPECT_EQ(mutex.LockTimeout(0), 1);
        EXPECT_EQ(mutex.Unlock(), 0);
    });
}

TEST(LMutex, ReleaseAllAndReacquireByOwnerAndStranger)
{
    LMutex mutex;
    mutex.Lock();
    mutex.Lock();
    OnOtherThread([&] {
        int32_t released = -1;
        mutex.ReleaseAll(released);
        EXPECT_EQ(released, 0);
    });
    EXPECT_EQ(mutex.GetCount(), 2);

    int32_t released = 0;
    mutex.ReleaseAll(released);
    EXPECT_EQ(released, 2);
    EXPECT_EQ(mutex.GetOwner(), -1);
    mutex.Reacquire(released);
    EXPECT_EQ(mutex.GetCount(), 2);
    mutex.Reacquire(0);
    mutex.Reacquire(-3);
    EXPECT_EQ(mutex.GetCount(), 2);
    mutex.ReleaseAll(released);
}

TEST(LMutex, UnlockWithoutHoldingChangesNothing)
{
    LMutex mutex;
    mutex.Init();
    EXPECT_EQ(mutex.Unlock(), 0);
    EXPECT_EQ(mutex.Lock(), 1);
    OnOtherThread([&] { EXPECT_EQ(mutex.Unlock(), 0); });
    EXPECT_EQ(mutex.GetCount(), 1);
    EXPECT_EQ(mutex.GetOwner(), CurrentThreadId());
    EXPECT_EQ(mutex.Unlock(), 0);
    EXPECT_EQ(mutex.Lock(), 1);
    mutex.Unlock();
}

TEST(LMutex, UnlockAfterCloseReturnsZeroAndLockStartsAfresh)
{
    LMutex mutex;
    mutex.Lock();
    mutex.Lock();
    mutex.Close();
    EXPECT_FALSE(mutex.IsInitialised());
    EXPECT_EQ(mutex.Unlock(), 0);
    EXPECT_EQ(mutex.Lock(), 1);
    mutex.Unlock();
}

TEST(LMutex, GlobalMutexIsNeverClosed)
{
    GlobalMutex.Lock();
    GlobalMutex.Close();
    EXPECT_EQ(GlobalMutex.GetCount(), 1);
    EXPECT_EQ(LMutex::UnlockGlobal(), 0);
}

TEST(LMutex, WaitForMemberLockGivesUpGlobalMutexMeanwhile)
{
    RunWithWatchdog([] {
        LMutex member;
        member.Init();
        std::latch memberHeld(1);
        int32_t globalLevelsSeenByOther = 0;

        std::thread other([&] {
            member.Lock();
            memberHeld.count_down();
            // Only possible while the first thread waits for the member lock.
            globalLevelsSeenByOther = GlobalMutex.Lock();
            GlobalMutex.Unlock();
            member.Unlock();
        });

        GlobalMutex.Lock();
        GlobalMutex.Lock();
        memberHeld.wait();
        EXPECT_EQ(member.Lock(), 1);
        EXPECT_EQ(GlobalMutex.GetOwner(), CurrentThreadId());
        EXPECT_EQ(GlobalMutex.GetCount(), 2);
        EXPECT_EQ(member.GetCount(), 1);
        other.join();
        EXPECT_EQ(globalLevelsSeenByOther, 1);
        member.Unlock();
        GlobalMutex.Unlock();
        GlobalMutex.Unlock();
    });
}

TEST(LMutex, TimedOutWaitReturnsZeroWithGlobalLevelsBack)
{
    RunWithWatchdog([] {
        LMutex member;
        member.Init();
        std::latch memberHeld(1);
        std::latch waitOver(1);
        std::thread other([&] {
            member.Lock();
            memberHeld.count_down();
            waitOver.wait();
            member.Unlock();
        });
        memberHeld.wait();
        GlobalMutex.Lock();
        GlobalMutex.Lock();
        EXPECT_EQ(member.LockTimeout(1), 0);
        EXPECT_EQ(GlobalMutex.GetCount(), 2);
        EXPECT_EQ(GlobalMutex.GetOwner(), CurrentThreadId());
        EXPECT_NE(member.GetOwner(), CurrentThreadId());
        waitOver.count_down();
        other.join();
        GlobalMutex.Unlock();
        GlobalMutex.Unlock();
    });
}

TEST(LMutex, OppositeLockOrdersDoNotDeadlock)
{
    constexpr int kRounds = 2000;
    RunWithWatchdog([] {
        LMutex member;
        member.Init();
        int entered = 0;
        std::thread globalFirst([&] {
            for (int i = 0; i < kRounds; ++i) {
                LMutexLocker global(GlobalMutex);
                LMutexLocker own(member);
                ++entered;
            }
        });
        std::thread memberFirst([&] {
            for (int i = 0; i < kRounds; ++i) {
                LMutexLocker own(member);
                LMutexLocker global(GlobalMutex);
                ++entered;
            }
        });
        globalFirst.join();
        memberFirst.join();
        EXPECT_EQ(entered, 2 * kRounds);
        EXPECT_EQ(GlobalMutex.GetCount(), 0);
        EXPECT_EQ(member.GetCount(), 0);
    });
}

TEST(LMutex, ScopedHolderReleasesOnException)
{
    LMutex mutex;
    try {
        LMutexLocker hold(mutex);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(mutex.GetCount(), 0);
}

} // namespace
