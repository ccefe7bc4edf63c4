#pragma once
// The program's time base: a 64-bit microsecond clock that counts from the first time it is
// asked. Its first use starts the task library and the clock's own task, which wakes once an
// hour to re-base the clock and is stopped at process exit.

#include <atomic>
#include <cstdint>

// The arithmetic of the clock, apart from its source and its task: the accumulator holds the
// microseconds counted up to the base reading, and a reading adds the time since the base,
// taken modulo 2^64 so that a wrapping source is absorbed. Readers take base and accumulator as
// one consistent pair, without a lock, while one writer re-bases.
class LSysClock
{
  public:
    // Re-base when this long has passed since the base (10 days).
    static constexpr uint64_t kRebaseAfterUs = 864000000000;

    constexpr LSysClock() = default;

    // Counting starts at 0 at the source reading `now`.
    void Start(uint64_t now);
    int64_t Read(uint64_t now) const;
    // Read, and re-base at `now` when kRebaseAfterUs have passed. One writer at a time.
    int64_t Resync(uint64_t now);
    uint64_t BaseUs() const;

  private:
    struct Snapshot
    {
        uint64_t base;
        int64_t accumulator;
    };
    static int64_t ValueAt(const Snapshot& snapshot, uint64_t now);
    Snapshot Load() const;
    void Store(uint64_t base, int64_t accumulator);

    // Odd while a writer changes the pair.
    std::atomic<uint32_t> sequence_{0};
    std::atomic<uint64_t> base_{0};
    std::atomic<int64_t> accumulator_{0};
};

// Microseconds since the first call in the process; the resync flag is set only by the clock's
// own task.
int64_t GetSysTimeUs(bool resync = false);
int64_t GetSysTimeUsNow();
int64_t GetSysTimeCs();
