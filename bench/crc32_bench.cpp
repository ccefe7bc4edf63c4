// CRC-32 of 64 KiB next to zlib's crc32 over the same bytes in the same run. Crc32 is zlib's
// checksum by another name and calls it, so its goal is zlib's rate; the goal leaves a tenth for
// the noise of a shared machine.
#include "foundation/archives/crc32.h"
#include "bench/goal_ratio.h"

#include <zlib.h>

#include <vector>

namespace {

constexpr size_t kBytes = 64 << 10;
constexpr double kCrcGoal = 0.9;

std::vector<uint8_t> Bytes()
{
    std::vector<uint8_t> bytes(kBytes);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 131 + i / 977);
    return bytes;
}

void BM_Crc32ZlibReference(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = Bytes();
    const ThroughputMeter meter;
    for (auto _ : state) {
        uLong crc = crc32(0L, Z_NULL, 0);
        crc = crc32(crc, bytes.data(), static_cast<uInt>(bytes.size()));
        benchmark::DoNotOptimize(crc);
    }
    RecordReference("zlib_crc32", meter.Finish(state, kBytes));
}

void BM_Crc32(benchmark::State& state)
{
    const std::vector<uint8_t> bytes = Bytes();
    const ThroughputMeter meter;
    for (auto _ : state) {
        const uint32_t crc = Crc32(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
        benchmark::DoNotOptimize(crc);
    }
    ReportRatioAndGoal(state, "zlib_crc32", meter.Finish(state, kBytes), kCrcGoal);
}

// The reference first, so that the ratio can be printed beside our own figure.
BENCHMARK(BM_Crc32ZlibReference);
BENCHMARK(BM_Crc32);

} // namespace
