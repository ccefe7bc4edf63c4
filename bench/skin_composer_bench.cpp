// Painting the skinned frame beside memcpy of the same raster in the same run: composing a whole
// 1,920 x 1,080 client, and the slider's repaint that follows every position change.
#include "platform/raster_bitmap.h"
#include "shell/skin_composer.h"
#include "shell/skin_frame_model.h"
#include "shell/test_support/idle_skin_frame_host.h"
#include "tools/skin_pictures.h"
#include "bench/throughput_ratio.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kClientWidth = 1920;
constexpr int32_t kClientHeight = 1080;
constexpr int64_t kRasterBytes = int64_t{kClientWidth} * kClientHeight * RasterBitmap::kBytesPerPixel;

// The skin bitmap as the player holds it: 32-bit pixels, blue first.
const std::vector<uint8_t>& SkinPixels()
{
    static const std::vector<uint8_t> pixels = [] {
        const SkinCanvas canvas = DrawSkinBitmap();
        std::vector<uint8_t> bytes(static_cast<size_t>(canvas.Width()) * canvas.Height() * 4);
        for (int32_t y = 0; y < canvas.Height(); ++y) {
            for (int32_t x = 0; x < canvas.Width(); ++x) {
                const SkinColour c = canvas.At(x, y);
                uint8_t* p = &bytes[(static_cast<size_t>(y) * canvas.Width() + x) * 4];
                p[0] = c.blue;
                p[1] = c.green;
                p[2] = c.red;
            }
        }
        return bytes;
    }();
    return pixels;
}

SkinPicture Picture()
{
    return {SkinPixels().data(), 1024, 768, 1024 * 4};
}


struct PlayingFrame
{
    PlayingFrame() : model(host)
    {
        model.State().hasWindow = true;
        ApplyFrameMode(model.State(), 0);
        model.Layout(kClientWidth, kClientHeight);
        model.SetPlayState(3, true, true);
        model.SetPosition(0.4f, 0.9f);
    }
    IdleSkinFrameHost host;
    SkinFrameModel model;
};

void BM_SkinReferenceMemcpy(benchmark::State& state)
{
    auto source = RasterBitmap::Create(kClientWidth, kClientHeight);
    auto target = RasterBitmap::Create(kClientWidth, kClientHeight);
    ThroughputMeter meter;
    for (auto _ : state) {
        std::memcpy(target->Bits(), source->Bits(), kRasterBytes);
        benchmark::DoNotOptimize(target->Bits());
    }
    RecordReference("memcpy", meter.Finish(state, kRasterBytes));
}
BENCHMARK(BM_SkinReferenceMemcpy)->Unit(benchmark::kMicrosecond);

void BM_SkinComposeWholeClient(benchmark::State& state)
{
    PlayingFrame frame;
    auto target = RasterBitmap::Create(kClientWidth, kClientHeight);
    const SkinPicture picture = Picture();
    ThroughputMeter meter;
    for (auto _ : state) {
        ComposeSkin(*target, picture, frame.model, {}, SkinSystemColours{}, {0, 0, kClientWidth, kClientHeight});
        benchmark::DoNotOptimize(target->Bits());
    }
    ReportRatio(state, "memcpy", meter.Finish(state, kRasterBytes));
}
BENCHMARK(BM_SkinComposeWholeClient)->Unit(benchmark::kMicrosecond);

// What every timer tick costs while a show plays: the knob moves and the slider is repainted.
void BM_SkinSliderRepaint(benchmark::State& state)
{
    PlayingFrame frame;
    auto target = RasterBitmap::Create(kClientWidth, kClientHeight);
    const SkinPicture picture = Picture();
    float position = 0.0f;
    ThroughputMeter meter;
    for (auto _ : state) {
        position = position >= 1.0f ? 0.0f : position + 0.001f;
        frame.model.SetPosition(position, 1.0f);
        ComposeSkin(*target, picture, frame.model, {}, SkinSystemColours{}, frame.model.SliderRect());
        benchmark::DoNotOptimize(target->Bits());
    }
    ReportRatio(state, "memcpy", meter.Finish(state, kRasterBytes));
}
BENCHMARK(BM_SkinSliderRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
