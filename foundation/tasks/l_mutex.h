#pragma once
// LMutex: the program's one lock type, recursive, with its owner thread and recursion count.
// GlobalMutex is the process-wide instance. The rule that keeps the program free of deadlocks:
// whoever holds GlobalMutex never blocks while holding it. Every blocking operation of this
// library (waiting for another LMutex, sleeping, waiting for signals, events or task ends) gives
// up all levels of GlobalMutex that the calling thread holds, blocks, and takes exactly as many
// levels back, so callers may hold GlobalMutex across calls that wait.
//
// All LMutex objects are monitors over SyncMonitor(): a wait for a member lock by a thread that
// holds GlobalMutex waits for both to be free and takes both at once.

#include "foundation/tasks/sync_monitor.h"

#include <cstdint>
#include <mutex>

class LMutex
{
  public:
    // Time-out of Lock: wait without limit.
    static constexpr int32_t kNoLimitCs = 0x7FFFFFFF;

    // Zero-filled: valid but not initialised; the first lock initialises it.
    constexpr LMutex() = default;
    ~LMutex() { Close(); }
    LMutex(const LMutex&) = delete;
    LMutex& operator=(const LMutex&) = delete;

    // Makes the lock free (owner -1, count 0). GlobalMutex is always ready; Init leaves it alone.
    void Init();
    // Forgets the lock; a later lock initialises it again. GlobalMutex is never closed.
    void Close();

    // The new recursion count, or 0 when the time-out (centiseconds) passed without the lock.
    // A time-out of 0 or less only tries; above kMaxScaledCs it means no limit.
    int32_t LockTimeout(int32_t timeoutCs);
    int32_t Lock() { return LockTimeout(kNoLimitCs); }
    // The remaining count; 0 and no change when the calling thread does not hold the lock.
    int32_t Unlock();

    // Gives up every level the calling thread holds; `released` is how many (0 for a non-owner).
    void ReleaseAll(int32_t& released);
    // Takes `levels` levels (nothing when levels <= 0).
    void Reacquire(int32_t levels);
    // Unlock on GlobalMutex.
    static int32_t UnlockGlobal();

    bool IsInitialised() const;
    // Holder's thread id (-1 when free) and recursion count, as seen now.
    int32_t GetOwner() const;
    int32_t GetCount() const;

    // For the blocking steps of this library, with the monitor's gate held: give up the calling
    // thread's levels of GlobalMutex, and take them back (waiting without limit).
    static int32_t GiveUpGlobalLocked();
    static void TakeBackGlobalLocked(std::unique_lock<std::mutex>& gate, int32_t levels);

    // Time-outs above this many centiseconds no longer fit in 32-bit milliseconds.
    static constexpr int32_t kMaxScaledCs = 429496729;

  private:
    static constexpr uint32_t kMagic = 0x37465711;
    static constexpr int32_t kNoOwner = -1;

    bool IsGlobal() const;
    void InitLocked();
    bool IsFreeForLocked(int32_t thread) const;
    int32_t TakeLocked(int32_t thread, int32_t levels);
    int32_t ReleaseAllLocked(int32_t thread);

    uint32_t magic_ = 0;
    int32_t owner_ = 0;
    int32_t count_ = 0;
};

extern LMutex& GlobalMutex;

// Holds a lock for a scope; released on every way out, exceptions included.
class LMutexLocker
{
  public:
    explicit LMutexLocker(LMutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
    ~LMutexLocker() { mutex_.Unlock(); }
    LMutexLocker(const LMutexLocker&) = delete;
    LMutexLocker& operator=(const LMutexLocker&) = delete;

  private:
    LMutex& mutex_;
};

// The blocking step of every wait of this library, with the monitor's gate held: waits until
// ready() or the deadline with the caller's levels of GlobalMutex given up. onWake(ready()) runs
// as soon as the wait ends, still inside the gate, so that it takes what was waited for before
// anyone else can; then the levels are taken back and onWake's result is returned.
template <class Ready, class OnWake>
auto WaitGivingUpGlobal(std::unique_lock<std::mutex>& gate, const LSyncDeadline& deadline, Ready ready,
                        OnWake onWake)
{
    const int32_t levels = LMutex::GiveUpGlobalLocked();
    auto result = onWake(SyncMonitor().WaitUntil(gate, deadline, ready));
    LMutex::TakeBackGlobalLocked(gate, levels);
    return result;
}
