// Throughput of a benchmark next to a reference measured earlier in the same run: the
// reference records its bytes per second under a name, and the measured benchmark prints its
// own rate divided by it as the counter "ratio".
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>

class ThroughputMeter
{
  public:
    ThroughputMeter() : start_(std::chrono::steady_clock::now()) {}

    // Bytes per second since construction; also reported as the benchmark's byte rate.
    double Finish(benchmark::State& state, int64_t bytesPerIteration) const
    {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const auto bytes = static_cast<int64_t>(state.iterations()) * bytesPerIteration;
        state.SetBytesProcessed(bytes);
        return seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
    }

  private:
    std::chrono::steady_clock::time_point start_;
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
