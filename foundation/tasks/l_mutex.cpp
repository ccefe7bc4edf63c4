#include "foundation/tasks/l_mutex.h"

#include "foundation/strings/never_destroyed.h"

namespace {

constinit XNeverDestroyed<LMutex> globalMutexStorage;

constexpr int64_t kMsPerCs = 10;

LSyncDeadline DeadlineAfterCs(int32_t timeoutCs)
{
    if (timeoutCs > LMutex::kMaxScaledCs) {
        return LSyncDeadline::Never();
    }
    return LSyncDeadline::AfterMs(int64_t{timeoutCs} * kMsPerCs);
}

} // namespace

constinit LMutex& GlobalMutex = globalMutexStorage.Get();

bool LMutex::IsGlobal() const
{
    return this == &GlobalMutex;
}

void LMutex::Init()
{
    auto gate = SyncMonitor().Enter();
    if (!IsGlobal() || magic_ != kMagic) {
        InitLocked();
    }
}

void LMutex::InitLocked()
{
    owner_ = kNoOwner;
    count_ = 0;
    magic_ = kMagic;
}

void LMutex::Close()
{
    if (IsGlobal()) {
        return;
    }
    auto gate = SyncMonitor().Enter();
    if (magic_ == kMagic) {
        magic_ = 0;
        SyncMonitor().Changed();
    }
}

bool LMutex::IsFreeForLocked(int32_t thread) const
{
    return magic_ != kMagic || count_ == 0 || owner_ == thread;
}

int32_t LMutex::TakeLocked(int32_t thread, int32_t levels)
{
    if (magic_ != kMagic) {
        InitLocked();
    }
    owner_ = thread;
    count_ += levels;
    return count_;
}

int32_t LMutex::ReleaseAllLocked(int32_t thread)
{
    if (magic_ != kMagic || count_ == 0 || owner_ != thread) {
        return 0;
    }
    const int32_t released = count_;
    count_ = 0;
    owner_ = kNoOwner;
    SyncMonitor().Changed();
    return released;
}

int32_t LMutex::LockTimeout(int32_t timeoutCs)
{
    const int32_t me = CurrentThreadId();
    LSyncMonitor& monitor = SyncMonitor();
    auto gate = monitor.Enter();
    if (magic_ != kMagic) {
        InitLocked();
    }
    if (IsFreeForLocked(me)) {
        return TakeLocked(me, 1);
    }
    if (timeoutCs <= 0) {
        return 0;
    }
    const LSyncDeadline deadline = DeadlineAfterCs(timeoutCs);
    if (!IsGlobal() && GlobalMutex.magic_ == kMagic && GlobalMutex.count_ > 0 && GlobalMutex.owner_ == me) {
        // Waiting for this lock while holding GlobalMutex: give up GlobalMutex and take both
        // back together, so a holder of this lock that asks for GlobalMutex can go on.
        return WaitGivingUpGlobal(
            gate, deadline, [&] { return IsFreeForLocked(me) && GlobalMutex.IsFreeForLocked(me); },
            [&](bool bothFree) { return bothFree ? TakeLocked(me, 1) : 0; });
    }
    if (!monitor.WaitUntil(gate, deadline, [&] { return IsFreeForLocked(me); })) {
        return 0;
    }
    return TakeLocked(me, 1);
}

int32_t LMutex::Unlock()
{
    auto gate = SyncMonitor().Enter();
    if (magic_ != kMagic || count_ == 0 || owner_ != CurrentThreadId()) {
        return 0;
    }
    --count_;
    if (count_ == 0) {
        owner_ = kNoOwner;
        SyncMonitor().Changed();
    }
    return count_;
}

void LMutex::ReleaseAll(int32_t& released)
{
    auto gate = SyncMonitor().Enter();
    if (magic_ != kMagic) {
        InitLocked();
    }
    released = ReleaseAllLocked(CurrentThreadId());
}

void LMutex::Reacquire(int32_t levels)
{
    for (int32_t i = 0; i < levels; ++i) {
        Lock();
    }
}

int32_t LMutex::UnlockGlobal()
{
    return GlobalMutex.Unlock();
}

bool LMutex::IsInitialised() const
{
    auto gate = SyncMonitor().Enter();
    return magic_ == kMagic;
}

int32_t LMutex::GetOwner() const
{
    auto gate = SyncMonitor().Enter();
    return magic_ == kMagic ? owner_ : kNoOwner;
}

int32_t LMutex::GetCount() const
{
    auto gate = SyncMonitor().Enter();
    return magic_ == kMagic ? count_ : 0;
}

int32_t LMutex::GiveUpGlobalLocked()
{
    return GlobalMutex.ReleaseAllLocked(CurrentThreadId());
}

void LMutex::TakeBackGlobalLocked(std::unique_lock<std::mutex>& gate, int32_t levels)
{
    if (levels <= 0) {
        return;
    }
    const int32_t me = CurrentThreadId();
    SyncMonitor().WaitUntil(gate, LSyncDeadline::Never(), [&] { return GlobalMutex.IsFreeForLocked(me); });
    GlobalMutex.TakeLocked(me, levels);
}
