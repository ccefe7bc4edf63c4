// The player's tick: 100 times a second every one of 32 stream channels asks for the frame
// under the play clock and its scanner simulation, through each channel's kept last frame.
// Frames change at 25 and at 100 frames a second; typical and full frames, raw and coded.
// One iteration is 100 ticks, one second of play: the CPU time it takes is the fraction of one
// core that playing costs, printed beside its budget (full frames: half a core at 25 new frames
// a second, one core at 100).
#include "bench/bench_folder.h"
#include "bench/throughput_ratio.h"
#include "show/channel_frame_cache.h"
#include "show/laser_preview_stream.h"
#include "tools/show_generator.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

constexpr int32_t kServers = 4;
constexpr int32_t kChannelsPerServer = 8;
constexpr int32_t kTicksPerSecond = 100;
constexpr int64_t kTickUs = 1000000 / kTicksPerSecond;
// Every show holds a new frame every tick period; played at a quarter of its speed, its frames
// change at 25 frames a second.
constexpr double kShowFramesPerSecond = 100.0;
constexpr int64_t kShowFrameUs = kTickUs;
constexpr int64_t kShowDurationUs = 200000;
constexpr int32_t kTypicalPoints = 300;
constexpr int32_t kFullPoints = 12000; // fills a frame to its last word

const std::string& TickShow(bool full, bool coded)
{
    static const BenchFolder folder;
    static std::map<std::pair<bool, bool>, std::string> shows;
    std::string& path = shows[{full, coded}];
    if (!path.empty())
        return path;
    path = folder.File(std::string(full ? "full" : "typical") + (coded ? "_coded.zyl" : "_raw.zyl"));
    ShowGeneratorOptions options;
    options.servers = kServers;
    options.channelsPerServer = kChannelsPerServer;
    options.durationUs = kShowDurationUs;
    options.framesPerSecond = kShowFramesPerSecond;
    options.pointsPerFrame = full ? kFullPoints : kTypicalPoints;
    options.blankingPeriodS = 0;
    options.userData = false;
    options.form = coded ? ShowForm::kCoded : ShowForm::kStreamable;
    if (GenerateShow(path.c_str(), options).Failed())
        path.clear();
    return path;
}

// args: new frames per second (25 or 100), full frames, coded frames.
void BM_PlayerTick(benchmark::State& state)
{
    const int64_t framesPerSecond = state.range(0);
    const bool full = state.range(1) != 0;
    const bool coded = state.range(2) != 0;
    const std::string& path = TickShow(full, coded);
    LLaserPreviewStream stream;
    if (path.empty() || !stream.Open(path.c_str()) ||
        stream.StreamChannelCount() != kServers * kChannelsPerServer) {
        state.SkipWithError("no show");
        return;
    }
    // Show time per tick: a new record every kTicksPerSecond / framesPerSecond ticks.
    const int64_t showUsPerTick = kShowFrameUs * framesPerSecond / kTicksPerSecond;
    // Half a frame in, so that no tick falls on a record's first microsecond.
    const int64_t first = stream.FirstTime() + kShowFrameUs / 2;
    const LFrameRenderSettings graphics;
    LChannelFrameCache cache;
    int64_t tick = 0;
    int64_t points = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        for (int32_t t = 0; t < kTicksPerSecond; ++t, ++tick) {
            const int64_t time = first + (tick * showUsPerTick) % kShowDurationUs;
            for (int32_t channel = 0; channel < stream.StreamChannelCount(); ++channel) {
                if (cache.Frame(stream, channel, time))
                    points += static_cast<int64_t>(cache.Points(channel, graphics).size());
            }
        }
    }
    const double seconds = ThreadCpuSeconds() - start;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["new_frames_per_s"] = seconds > 0 ? double(cache.FramesRead()) / seconds : 0;
    state.counters["core_fraction"] = seconds / iterations;
    state.counters["points_per_tick"] = double(points) / (iterations * kTicksPerSecond);
    if (full) {
        const double budget = framesPerSecond >= kTicksPerSecond ? 1.0 : 0.5;
        state.counters["budget"] = budget;
        state.counters["within_budget"] = seconds / iterations <= budget ? 1 : 0;
    }
}

BENCHMARK(BM_PlayerTick)
    ->ArgNames({"fps", "full", "coded"})
    ->ArgsProduct({{25, 100}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

} // namespace
