// Shared strings against std::string (copies) and Crc32 against zlib's crc32. Crc32 is zlib's
// checksum by another name and calls it, so its goal is zlib's rate; the goal leaves a tenth for
// the noise of a shared machine.
#include "bench/goal_ratio.h"
#include "foundation/archives/crc32.h"
#include "foundation/strings/xa_string.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kText = "a text long enough to defeat the small-string buffer of std::string";

void BM_XAStringCopy(benchmark::State& state)
{
    const XAString source(kText);
    for (auto _ : state) {
        XAString copy = source;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_XAStringCopy);

void BM_StdStringCopy(benchmark::State& state)
{
    const std::string source(kText);
    for (auto _ : state) {
        std::string copy = source;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_StdStringCopy);

void BM_XAStringConcat(benchmark::State& state)
{
    const XAString a(kText);
    const XAString b(kText);
    for (auto _ : state)
        benchmark::DoNotOptimize(a + b);
}
BENCHMARK(BM_XAStringConcat);

void BM_StdStringConcat(benchmark::State& state)
{
    const std::string a(kText);
    const std::string b(kText);
    for (auto _ : state)
        benchmark::DoNotOptimize(a + b);
}
BENCHMARK(BM_StdStringConcat);

constexpr double kCrcGoal = 0.9;

std::vector<unsigned char> CrcInput(benchmark::State& state)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 131 + 7);
    return bytes;
}

std::string CrcReference(const benchmark::State& state)
{
    return "zlib_crc32_" + std::to_string(state.range(0));
}

void BM_ZlibCrc32(benchmark::State& state)
{
    const std::vector<unsigned char> bytes = CrcInput(state);
    const ThroughputMeter meter;
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
    RecordReference(CrcReference(state), meter.Finish(state, static_cast<int64_t>(bytes.size())));
}

void BM_Crc32(benchmark::State& state)
{
    const std::vector<unsigned char> bytes = CrcInput(state);
    const ThroughputMeter meter;
    for (auto _ : state)
        benchmark::DoNotOptimize(Crc32(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size())));
    ReportRatioAndGoal(state, CrcReference(state), meter.Finish(state, static_cast<int64_t>(bytes.size())),
                       kCrcGoal);
}

// The reference first, so that the ratio can be printed beside our own figure.
BENCHMARK(BM_ZlibCrc32)->Arg(64)->Arg(64 << 10);
BENCHMARK(BM_Crc32)->Arg(64)->Arg(64 << 10);

} // namespace
