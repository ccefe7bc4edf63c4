#pragma once
// A time source for tests: its clock moves only when the test moves it, and its sleeps are
// recorded (with whether the sleeping thread still held GlobalMutex) instead of slept.

#include "foundation/tasks/l_mutex.h"
#include "foundation/tasks/time_source.h"

#include <atomic>
#include <cstdint>
#include <vector>

class FakeTimeSource final : public LTimeSource
{
  public:
    struct Sleep
    {
        int32_t ms;
        int32_t globalLevelsHeld;
    };

    explicit FakeTimeSource(uint64_t startUs = 0) : nowUs_(startUs) {}

    uint64_t MonotonicUs() override { return nowUs_.load(); }
    void SleepMs(int32_t ms) override
    {
        const bool held = GlobalMutex.GetOwner() == CurrentThreadId();
        sleeps.push_back({ms, held ? GlobalMutex.GetCount() : 0});
    }

    void AdvanceUs(uint64_t us) { nowUs_ += us; }

    std::vector<Sleep> sleeps;

  private:
    std::atomic<uint64_t> nowUs_;
    ScopedTimeSource use_{this};
};
