// Throughput of a benchmark next to a reference measured earlier in the same run: the
// reference records its bytes per second under a name, and the measured benchmark prints its
// own rate divided by it as the counter "ratio". Rates count the thread's CPU time, so that other
// work on a busy machine does not tilt a ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <string>

// The calling thread's CPU time in seconds.
inline double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Iterations per second of the thread's CPU time since start, for rates that are not bytes.
inline double PerCpuSecond(const benchmark::State& state, double start)
{
    const double seconds = ThreadCpuSeconds() - start;
    return seconds > 0 ? static_cast<double>(state.iterations()) / seconds : 0;
}

class ThroughputMeter
{
  public:
    ThroughputMeter() : start_(ThreadCpuSeconds()) {}

    // Bytes per CPU second since construction; the benchmark's byte rate is reported too.
    double Finish(benchmark::State& state, int64_t bytesPerIteration) const
    {
        const double seconds = ThreadCpuSeconds() - start_;
        const auto bytes = static_cast<int64_t>(state.iterations()) * bytesPerIteration;
        state.SetBytesProcessed(bytes);
        return seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
    }

  private:
    double start_;
};

inline std::map<std::string, double>& ReferenceRates()
{
    static std::map<std::string, double> rates;
    return rates;
}

inline void RecordReference(const std::string& name, double bytesPerSecond)
{
    ReferenceRates()[name] = bytesPerSecond;
}

inline void ReportRatio(benchmark::State& state, const std::string& reference, double bytesPerSecond)
{
    const auto found = ReferenceRates().find(reference);
    if (found != ReferenceRates().end() && found->second > 0)
        state.counters["ratio_to_" + reference] = bytesPerSecond / found->second;
}
