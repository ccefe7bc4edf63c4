#pragma once
// The one lock and condition under which every LMutex, LEvent and task signal of the program
// changes state. Because all of them live under the same gate, a wait can give up some locks
// and wait for others, or for several events, as one step, which separate primitives cannot.
// The gate is held only for a few instructions at a time, never across a blocking step.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

using LSyncClock = std::chrono::steady_clock;

// When a wait gives up; LSyncDeadline::Never() waits without limit.
class LSyncDeadline
{
  public:
    static LSyncDeadline Never() { return LSyncDeadline(); }
    static LSyncDeadline AfterMs(int64_t ms);

    bool IsNever() const { return never_; }
    LSyncClock::time_point When() const { return when_; }

  private:
    LSyncDeadline() = default;
    bool never_ = true;
    LSyncClock::time_point when_{};
};

class LSyncMonitor
{
  public:
    std::unique_lock<std::mutex> Enter() { return std::unique_lock<std::mutex>(gate_); }

    // Wakes every waiter to test its condition again; called with the gate held.
    void Changed()
    {
        if (waiters_ > 0) {
            changed_.notify_all();
        }
    }

    // With the gate held: waits until ready() or the deadline; returns ready().
    template <class Ready>
    bool WaitUntil(std::unique_lock<std::mutex>& gate, const LSyncDeadline& deadline, Ready ready)
    {
        ++waiters_;
        bool isReady = true;
        if (deadline.IsNever()) {
            changed_.wait(gate, ready);
        } else {
            isReady = changed_.wait_until(gate, deadline.When(), ready);
        }
        --waiters_;
        return isReady;
    }

  private:
    std::mutex gate_;
    std::condition_variable changed_;
    int32_t waiters_ = 0;
};

LSyncMonitor& SyncMonitor();

// The calling thread's id as the operating system numbers it; never -1.
int32_t CurrentThreadId();
