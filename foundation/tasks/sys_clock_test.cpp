#include "foundation/tasks/sys_clock.h"

#include "foundation/tasks/test_support/fake_time_source.h"
#include "foundation/tasks/l_task.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace {

constexpr uint64_t kWrap = std::numeric_limits<uint64_t>::max();

TEST(LSysClock, CountsMicrosecondsFromItsStart)
{
    LSysClock clock;
    clock.Start(5000000);
    EXPECT_EQ(clock.Read(5000000), 0);
    EXPECT_EQ(clock.Read(5000000 + 1000), 1000);
    EXPECT_EQ(clock.Read(5000000 + 1500000), 1500000);
}

TEST(LSysClock, SourceWrapIsAbsorbed)
{
    LSysClock clock;
    clock.Start(kWrap - 256000 + 1); // 256 ms below the wrap
    EXPECT_EQ(clock.Read(256000), 512000);
    EXPECT_EQ(clock.Read(256001), 512001);
}

TEST(LSysClock, RebasesOnlyAfterTenDaysAndNeverJumps)
{
    constexpr uint64_t kStart = 1000;
    LSysClock clock;
    clock.Start(kStart);
    const uint64_t tenDays = kStart + LSysClock::kRebaseAfterUs;
    EXPECT_EQ(clock.Resync(tenDays), static_cast<int64_t>(LSysClock::kRebaseAfterUs));
    EXPECT_EQ(clock.BaseUs(), kStart);

    const uint64_t later = tenDays + 1;
    EXPECT_EQ(clock.Resync(later), static_cast<int64_t>(LSysClock::kRebaseAfterUs + 1));
    EXPECT_EQ(clock.BaseUs(), later);
    EXPECT_EQ(clock.Read(later + 2500), static_cast<int64_t>(LSysClock::kRebaseAfterUs + 1 + 2500));
}

// In a process of its own, so that this is the clock's first use.
TEST(GetSysTimeUs, FirstCallReturnsZeroThenFollowsTheSource)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static FakeTimeSource source(123456789);
            bool ok = GetSysTimeUs() == 0;
            source.AdvanceUs(1500);
            ok = ok && GetSysTimeUsNow() == 1500 && GetSysTimeCs() == 0;
            source.AdvanceUs(18500);
            ok = ok && GetSysTimeUs() == 20000 && GetSysTimeCs() == 2;
            ok = ok && FindTask("GetSysTimeUs() RESYNC") != nullptr;
            SetTimeSource(nullptr);
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(GetSysTimeUs, ProcessExitsWithTheResyncTaskRunning)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GetSysTimeUs();
            std::exit(FindTask("GetSysTimeUs() resync") != nullptr ? 7 : 1);
        },
        testing::ExitedWithCode(7), "");
}

TEST(GetSysTimeUs, NeverRunsBackwards)
{
    int64_t previous = GetSysTimeUs();
    for (int i = 0; i < 1000; ++i) {
        const int64_t now = GetSysTimeUs();
        EXPECT_GE(now, previous);
        previous = now;
    }
}

} // namespace
