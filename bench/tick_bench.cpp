// The player's tick: 100 times a second every one of 32 stream channels asks for the frame
// under the play clock and its scanner simulation, through each channel's kept last frame. The
// show is played through once before the measurement, as a player has seen its frames' sizes
// after the first seconds.
// Frames change at 25 and at 100 frames a second; typical and full frames, raw and coded; with
// the preview's vertex generation (every pass of every channel into vertex batches, as the
// player's paint does before it hands them to OpenGL) or without. One iteration is 100 ticks, one second of play: the CPU time it takes is the fraction of one
// core that playing costs, printed beside its budget (full frames: half a core at 25 new frames
// a second, one core at 100).
#include "bench/bench_folder.h"
#include "bench/throughput_ratio.h"
#include "params/beamvista_pars.h"
#include "preview/laser_frame_renderer.h"
#include "preview/render_batch.h"
#include "preview/show_channel_drawing.h"
#include "show/channel_frame_cache.h"
#include "show/laser_preview_stream.h"
#include "tools/show_generator.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The preview's scene at a 1280 x 720 view, default parameters.
struct PreviewScene
{
    PreviewScene() { renderer.SetScene(pars, SceneView{1.0f, 720.0f / 1280.0f, 1.0f / 640.0f}, FogDrift{}); }

    LBeamvistaPars pars;
    LaserFrameRenderer renderer;
    RenderBatchBuilder out;
};

// args: new frames per second (25 or 100), full frames, coded frames, vertices made.
void BM_PlayerTick(benchmark::State& state)
{
    const int64_t framesPerSecond = state.range(0);
    const bool full = state.range(1) != 0;
    const bool coded = state.range(2) != 0;
    const bool vertices = state.range(3) != 0;
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
    PreviewScene scene;
    int64_t points = 0;
    int64_t made = 0;
    // As the player's paint asks: every channel's frame, then the points of each.
    const auto tick = [&](int64_t time) {
        if (vertices) {
            DrawShowChannels(stream, time, cache, scene.renderer, scene.out);
            for (const RenderBatch& batch : scene.out.Batches())
                made += static_cast<int64_t>(batch.vertices.size());
            scene.out.Clear();
            return;
        }
        bool shown[kServers * kChannelsPerServer];
        for (int32_t channel = 0; channel < stream.StreamChannelCount(); ++channel)
            shown[channel] = cache.Frame(stream, channel, time) != nullptr;
        for (int32_t channel = 0; channel < stream.StreamChannelCount(); ++channel) {
            if (shown[channel])
                points += static_cast<int64_t>(cache.Points(channel, graphics).size());
        }
    };
    // The whole show once before the clock starts: what a channel allocates for its largest
    // frame (and the pages the kernel hands out for it) is paid once per show, not per tick.
    for (int64_t time = first; time < first + kShowDurationUs; time += kShowFrameUs)
        tick(time);
    const int64_t framesBefore = cache.FramesRead();
    points = 0;
    made = 0;
    int64_t tickCount = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        for (int32_t t = 0; t < kTicksPerSecond; ++t, ++tickCount)
            tick(first + (tickCount * showUsPerTick) % kShowDurationUs);
    }
    const double seconds = ThreadCpuSeconds() - start;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["new_frames_per_s"] = seconds > 0 ? double(cache.FramesRead() - framesBefore) / seconds : 0;
    state.counters["core_fraction"] = seconds / iterations;
    if (vertices)
        state.counters["vertices_per_tick"] = double(made) / (iterations * kTicksPerSecond);
    else
        state.counters["points_per_tick"] = double(points) / (iterations * kTicksPerSecond);
    if (full) {
        const double budget = framesPerSecond >= kTicksPerSecond ? 1.0 : 0.5;
        state.counters["budget"] = budget;
        // Above 1, the budget is missed by that factor.
        state.counters["share_of_budget"] = seconds / iterations / budget;
        state.counters["within_budget"] = seconds / iterations <= budget ? 1 : 0;
    }
}

// Every read, decode and simulation case; vertices of coded shows, full frames once only (one
// second of play costs minutes of vertex generation).
void TickArguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"fps", "full", "coded", "vertices"});
    for (int64_t fps : {25, 100}) {
        for (int64_t full : {0, 1}) {
            for (int64_t coded : {0, 1})
                b->Args({fps, full, coded, 0});
        }
    }
    b->Args({25, 0, 1, 1});
    b->Args({100, 0, 1, 1});
}

BENCHMARK(BM_PlayerTick)->Apply(TickArguments)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// The scanner simulation of one tick's full frames alone: every channel's frame of a full show
// rendered with the preview's settings, all at once (side by side, as the frame cache renders
// them) or one frame at a time (the plain path, the reference).
void BM_TickFullFrameRenders(benchmark::State& state)
{
    const bool together = state.range(0) != 0;
    const std::string& path = TickShow(true, false);
    LLaserPreviewStream stream;
    if (path.empty() || !stream.Open(path.c_str())) {
        state.SkipWithError("no show");
        return;
    }
    const int32_t channels = stream.StreamChannelCount();
    std::vector<std::unique_ptr<LFrame>> frames;
    std::vector<std::vector<LFrameOutPoint>> points;
    std::vector<LFrameRenderJob> jobs;
    for (int32_t channel = 0; channel < channels; ++channel) {
        frames.push_back(std::make_unique<LFrame>());
        if (!stream.ReadFrame(channel, stream.FirstTime() + kShowFrameUs / 2, *frames.back())) {
            state.SkipWithError("no frame");
            return;
        }
        points.emplace_back(LChannelFrameCache::kRenderCapacity);
        jobs.push_back(LFrameRenderJob{frames.back().get(), points.back().data(), LChannelFrameCache::kRenderCapacity,
                                       nullptr, 0});
    }
    const LFrameRenderSettings settings;
    int64_t steps = 0;
    for (auto _ : state) {
        if (together) {
            LFrame::RenderAll(jobs, settings);
        } else {
            for (LFrameRenderJob& job : jobs)
                LFrame::RenderAll({&job, 1}, settings);
        }
        for (const LFrameRenderJob& job : jobs)
            steps += job.count;
    }
    state.counters["frames_per_s"] = benchmark::Counter(double(state.iterations()) * channels, benchmark::Counter::kIsRate);
    state.counters["steps_per_s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_TickFullFrameRenders)->ArgName("together")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PlayerTick)
    ->Name("BM_PlayerTickFullFrameVertices")
    ->ArgNames({"fps", "full", "coded", "vertices"})
    ->Args({100, 1, 1, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
