// Reading the microsecond clock, beside a plain clock_gettime(CLOCK_MONOTONIC).
#include "foundation/tasks/sys_clock.h"

#include <benchmark/benchmark.h>

#include <time.h>

namespace {

void BM_GetSysTimeUs(benchmark::State& state)
{
    GetSysTimeUs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetSysTimeUs());
    }
}
BENCHMARK(BM_GetSysTimeUs);

void BM_ClockGettimeMonotonic(benchmark::State& state)
{
    for (auto _ : state) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        benchmark::DoNotOptimize(now);
    }
}
BENCHMARK(BM_ClockGettimeMonotonic);

} // namespace
