// HArray appends next to std::vector appends of the same elements in the same run: pointers,
// and strings (whose copies share blocks). HArray grows by its step, std::vector doubles.
#include "foundation/strings/h_array.h"
#include "foundation/strings/xa_string.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int64_t kAppends = 10000;

template <class T> T Element()
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(&kAppends);
    else
        return T("a shared text");
}

template <class T> void BM_VectorAppend(benchmark::State& state)
{
    const T element = Element<T>();
    for (auto _ : state) {
        std::vector<T> vector;
        for (int64_t i = 0; i < kAppends; ++i)
            vector.push_back(element);
        benchmark::DoNotOptimize(vector.data());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}

template <class T> void BM_HArrayAppend(benchmark::State& state)
{
    const T element = Element<T>();
    const auto growBy = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        HArray<T> array(growBy);
        for (int64_t i = 0; i < kAppends; ++i)
            array.Append(element);
        benchmark::DoNotOptimize(array.GetData());
    }
    state.SetItemsProcessed(state.iterations() * kAppends);
}

BENCHMARK(BM_VectorAppend<const int64_t*>);
BENCHMARK(BM_HArrayAppend<const int64_t*>)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_VectorAppend<XAString>);
BENCHMARK(BM_HArrayAppend<XAString>)->Arg(16)->Arg(256)->Arg(4096);

} // namespace
