// Feeding a growing show to the stream 64 KiB at a time, as the control does while a one-hour,
// 32-channel show downloads, beside memcpy of the same 64 KiB. Each step must stay far below the
// preview's 10 ms tick.
#include "bench/bench_folder.h"
#include "bench/throughput_ratio.h"
#include "preview/test_support/playback_harness.h"
#include "show/laser_preview_stream.h"
#include "tools/show_generator.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t kStep = 64 * 1024;
constexpr const char* kReference = "memcpy_64k";

const XAString& HourShow()
{
    static const BenchFolder folder;
    static const XAString bytes = [] {
        ShowGeneratorOptions options;
        options.servers = 4;
        options.channelsPerServer = 8;
        options.durationUs = 3600LL * 1000000;
        options.pointsPerFrame = 16;
        options.userData = false;
        options.form = ShowForm::kStreamable;
        const std::string path = folder.File("hour.zyl");
        GenerateShow(path.c_str(), options);
        return XAString(std::string_view(ReadFileBytes(path)));
    }();
    return bytes;
}

// The fewest whole steps that open the show (its index is there).
int32_t OpenAtFirstStep(LLaserPreviewStream& stream, const XAString& show)
{
    int32_t size = kStep;
    int32_t need = 0;
    while (size < show.Length() && !stream.OpenMemory(show, size, &need, false))
        size = std::max(size + kStep, need);
    return size;
}

void BM_Memcpy64KiBReference(benchmark::State& state)
{
    std::vector<char> from(kStep, 'a');
    std::vector<char> to(kStep);
    ThroughputMeter meter;
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kStep);
        benchmark::ClobberMemory();
    }
    RecordReference(kReference, meter.Finish(state, kStep));
}

void BM_FeedHourShow64KiB(benchmark::State& state)
{
    const XAString& show = HourShow();
    LLaserPreviewStream stream;
    int32_t size = OpenAtFirstStep(stream, show);
    if (!stream.IsOpen()) {
        state.SkipWithError("the show does not open");
        return;
    }
    state.counters["show_mib"] = static_cast<double>(show.Length()) / (1 << 20);
    ThroughputMeter meter;
    for (auto _ : state) {
        size += kStep;
        if (size >= show.Length()) {
            state.PauseTiming();
            size = OpenAtFirstStep(stream, show);
            state.ResumeTiming();
        }
        stream.ContinueFromMemory(show, size, false);
    }
    ReportRatio(state, kReference, meter.Finish(state, kStep));
}

} // namespace

BENCHMARK(BM_Memcpy64KiBReference);
BENCHMARK(BM_FeedHourShow64KiB)->Unit(benchmark::kMicrosecond);
