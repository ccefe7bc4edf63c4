// Thinning a long channel index: the converter's passes drop entries of a time index in one
// filtering pass. The reference is std::vector with std::remove_if over the same entries; both
// build their million entries in each iteration, so the ratio compares whole passes.
#include "show/show_index_array.h"
#include "bench/throughput_ratio.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int32_t kEntries = 1000000;
constexpr int64_t kBytes = int64_t{kEntries} * sizeof(ShowIndexEntry);
constexpr const char* kReference = "vector_remove_if";

void BM_VectorRemoveIfEveryOther(benchmark::State& state)
{
    const ThroughputMeter meter;
    for (auto _ : state) {
        std::vector<ShowIndexEntry> entries;
        for (int32_t i = 0; i < kEntries; ++i)
            entries.push_back({i, int64_t{i} * 10000});
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const ShowIndexEntry& e) { return e.position % 2 == 1; }),
                      entries.end());
        benchmark::DoNotOptimize(entries.data());
    }
    RecordReference(kReference, meter.Finish(state, kBytes));
}

void BM_ShowIndexFilterEveryOther(benchmark::State& state)
{
    const ThroughputMeter meter;
    for (auto _ : state) {
        ShowIndexArray index;
        for (int32_t i = 0; i < kEntries; ++i)
            index.Append(i, int64_t{i} * 10000);
        index.Filter([](int32_t i, const ShowIndexEntry*) {
            return i % 2 == 1 ? ShowIndexArray::Pass::kDrop : ShowIndexArray::Pass::kKeep;
        });
        benchmark::DoNotOptimize(index.Count());
    }
    ReportRatio(state, kReference, meter.Finish(state, kBytes));
}

} // namespace

BENCHMARK(BM_VectorRemoveIfEveryOther)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowIndexFilterEveryOther)->Unit(benchmark::kMillisecond);
