#include "foundation/tasks/time_source.h"

#include "foundation/strings/never_destroyed.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <time.h>

namespace {

constexpr uint64_t kUsPerSecond = 1000000;
constexpr uint64_t kNsPerUs = 1000;

class LSystemTimeSource final : public LTimeSource
{
  public:
    constexpr LSystemTimeSource() = default;

    uint64_t MonotonicUs() override
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<uint64_t>(now.tv_sec) * kUsPerSecond +
               static_cast<uint64_t>(now.tv_nsec) / kNsPerUs;
    }

    void SleepMs(int32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

constinit XNeverDestroyed<LSystemTimeSource> systemSource;
constinit std::atomic<LTimeSource*> replacement{nullptr};

} // namespace

LTimeSource& CurrentTimeSource()
{
    LTimeSource* source = replacement.load(std::memory_order_acquire);
    return source != nullptr ? *source : systemSource.Get();
}

LTimeSource* SetTimeSource(LTimeSource* source)
{
    return replacement.exchange(source, std::memory_order_acq_rel);
}
