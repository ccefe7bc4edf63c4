// File archive reads of a whole file, next to read(2) with a 64 KiB buffer in the same run.
// Goal: one int32 at a time at a quarter of read(2)'s rate, ten times the 0.025 that a call
// through the buffer's slow path for every value gave.
#include "foundation/archives/archive_file.h"
#include "bench/goal_ratio.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t kFileBytes = 16 << 20;
constexpr size_t kReferenceBuffer = 64 << 10;
constexpr double kReadI32Goal = 0.25;

const std::string& TestFile()
{
    static const std::string path = [] {
        const std::string name =
            (std::filesystem::temp_directory_path() / ("zyl_bench_" + std::to_string(::getpid()))).string();
        std::vector<char> bytes(kFileBytes, 'r');
        const int handle = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (handle < 0 || ::write(handle, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            std::abort();
        ::close(handle);
        std::atexit([] { std::filesystem::remove(TestFile()); });
        return name;
    }();
    return path;
}

void BM_FileReferenceRead64K(benchmark::State& state)
{
    std::vector<char> buffer(kReferenceBuffer);
    const ThroughputMeter meter;
    for (auto _ : state) {
        const int handle = ::open(TestFile().c_str(), O_RDONLY);
        while (::read(handle, buffer.data(), buffer.size()) > 0)
            benchmark::DoNotOptimize(buffer.data());
        ::close(handle);
    }
    RecordReference("read64k", meter.Finish(state, kFileBytes));
}

void BM_FileArchiveReadBlock64K(benchmark::State& state)
{
    std::vector<char> buffer(kReferenceBuffer);
    const ThroughputMeter meter;
    for (auto _ : state) {
        LArchiveFile file(TestFile().c_str(), kArchiveFileRead, true);
        while (file.ReadBlock(buffer.data(), 1, static_cast<int32_t>(buffer.size())) > 0)
            benchmark::DoNotOptimize(buffer.data());
    }
    ReportRatio(state, "read64k", meter.Finish(state, kFileBytes));
}

void BM_FileArchiveReadI32(benchmark::State& state)
{
    const ThroughputMeter meter;
    for (auto _ : state) {
        LArchiveFile file(TestFile().c_str(), kArchiveFileRead, true);
        int32_t sum = 0;
        for (int32_t at = 0; at < kFileBytes; at += 4)
            sum += file.ReadI32();
        benchmark::DoNotOptimize(sum);
    }
    ReportRatioAndGoal(state, "read64k", meter.Finish(state, kFileBytes), kReadI32Goal);
}

BENCHMARK(BM_FileReferenceRead64K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileArchiveReadBlock64K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileArchiveReadI32)->Unit(benchmark::kMillisecond);

} // namespace
