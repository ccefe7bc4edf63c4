// Drawing every channel of a generated show of 32 stream channels (4 servers x 8) with fog fans
// forced on, frame reads included, into an offscreen framebuffer of 1280 x 720 and of 16 x 16
// (where filling costs nothing); glFinish is inside the time. Each frame is drawn at the next
// tick of a 10 ms clock, so frames are read as often as playback reads them (one in four ticks at
// 25 frames a second). The reference draws the same vertices, captured once, with plain
// immediate-mode GL calls in the same state.
#include "params/beamvista_pars.h"
#include "preview/gl_batch_submission.h"
#include "preview/laser_frame_renderer.h"
#include "preview/show_channel_drawing.h"
#include "preview/test_support/offscreen_gl_target.h"
#include "show/channel_frame_cache.h"
#include "show/laser_preview_stream.h"
#include "tools/show_generator.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t kServers = 4;
constexpr int32_t kChannelsPerServer = 8;
constexpr int64_t kTickUs = 10000;

// One generated show per point count, made once per run.
const std::string& ShowWith(int32_t points)
{
    static std::map<int32_t, std::string> shows;
    std::string& path = shows[points];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() /
                ("laser_scene_" + std::to_string(getpid()) + "_" + std::to_string(points) + ".zyl"))
                   .string();
        ShowGeneratorOptions options;
        options.servers = kServers;
        options.channelsPerServer = kChannelsPerServer;
        options.pointsPerFrame = points;
        options.durationUs = 2000000;
        options.blankingPeriodS = 0;
        options.userData = false;
        GenerateShow(path.c_str(), options);
        std::atexit([] {
            for (const auto& [count, file] : shows)
                std::filesystem::remove(file);
        });
    }
    return path;
}

void BindNone(int32_t)
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

class LaserScene
{
  public:
    LaserScene(int32_t points, int size) : target_(size == 16 ? 16 : 1280, size == 16 ? 16 : 720)
    {
        ok_ = target_.Ready() && stream_.Open(ShowWith(points).c_str());
        pars_.o_fog_force = 1;
        renderer_.SetScene(pars_, target_.View(), FogDrift{});
        start_ = time_ = stream_.FirstTime();
    }
    bool Ok() const { return ok_; }

    // One frame of every channel: read, recorded, submitted.
    void DrawFrame()
    {
        target_.Clear();
        time_ += kTickUs;
        if (time_ > stream_.LastTime())
            time_ = start_;
        DrawShowChannels(stream_, time_, frames_, renderer_, out_);
        SubmitRenderBatches(out_.Batches(), BindNone);
        target_.Finish();
        out_.Clear();
    }
    // The vertices of one frame, kept for the reference.
    void Capture()
    {
        DrawShowChannels(stream_, time_, frames_, renderer_, out_);
        captured_ = out_.TakeBatches();
    }
    void DrawCapturedPlain() const
    {
        target_.Clear();
        for (const RenderBatch& batch : captured_) {
            glBegin(batch.primitive == GlPrimitive::Lines       ? GL_LINES
                    : batch.primitive == GlPrimitive::Triangles ? GL_TRIANGLES
                                                                : GL_QUADS);
            for (const RenderVertex& v : batch.vertices) {
                glColor3f(v.r, v.g, v.b);
                glTexCoord3f(v.s, v.t, v.p);
                glVertex3f(v.x, v.y, v.z);
            }
            glEnd();
        }
        target_.Finish();
    }
    size_t CapturedVertices() const
    {
        size_t n = 0;
        for (const RenderBatch& batch : captured_)
            n += batch.vertices.size();
        return n;
    }

  private:
    OffscreenGlTarget target_;
    LLaserPreviewStream stream_;
    LChannelFrameCache frames_;
    LBeamvistaPars pars_;
    LaserFrameRenderer renderer_;
    RenderBatchBuilder out_;
    std::vector<RenderBatch> captured_;
    int64_t start_ = 0;
    int64_t time_ = 0;
    bool ok_ = false;
};

void BM_LaserScene(benchmark::State& state)
{
    LaserScene scene(int32_t(state.range(0)), int(state.range(1)));
    if (!scene.Ok()) {
        state.SkipWithError("no offscreen OpenGL context or no show");
        return;
    }
    for (auto _ : state)
        scene.DrawFrame();
    scene.Capture();
    state.counters["vertices"] = double(scene.CapturedVertices());
}

void BM_LaserScenePlainGlReference(benchmark::State& state)
{
    LaserScene scene(int32_t(state.range(0)), int(state.range(1)));
    if (!scene.Ok()) {
        state.SkipWithError("no offscreen OpenGL context or no show");
        return;
    }
    scene.Capture();
    for (auto _ : state)
        scene.DrawCapturedPlain();
    state.counters["vertices"] = double(scene.CapturedVertices());
}

// Arguments: points per frame, framebuffer (16: 16 x 16, else 1280 x 720).
void SceneArguments(benchmark::internal::Benchmark* b)
{
    for (int64_t points : {300, 2000})
        for (int64_t size : {16, 1280})
            b->Args({points, size});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_LaserScenePlainGlReference)->Apply(SceneArguments);
BENCHMARK(BM_LaserScene)->Apply(SceneArguments);

} // namespace
