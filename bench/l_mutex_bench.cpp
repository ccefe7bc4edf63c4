// Uncontended lock and unlock of LMutex, beside std::mutex and std::recursive_mutex.
#include "foundation/tasks/l_mutex.h"

#include <benchmark/benchmark.h>

#include <mutex>

namespace {

void BM_LMutexLockUnlock(benchmark::State& state)
{
    LMutex mutex;
    mutex.Init();
    for (auto _ : state) {
        benchmark::DoNotOptimize(mutex.Lock());
        benchmark::DoNotOptimize(mutex.Unlock());
    }
}
BENCHMARK(BM_LMutexLockUnlock);

void BM_GlobalMutexLockUnlock(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(GlobalMutex.Lock());
        benchmark::DoNotOptimize(GlobalMutex.Unlock());
    }
}
BENCHMARK(BM_GlobalMutexLockUnlock);

void BM_StdMutexLockUnlock(benchmark::State& state)
{
    std::mutex mutex;
    for (auto _ : state) {
        mutex.lock();
        mutex.unlock();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StdMutexLockUnlock);

void BM_StdRecursiveMutexLockUnlock(benchmark::State& state)
{
    std::recursive_mutex mutex;
    for (auto _ : state) {
        mutex.lock();
        mutex.unlock();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StdRecursiveMutexLockUnlock);

} // namespace
