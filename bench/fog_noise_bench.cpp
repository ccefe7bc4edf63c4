// The fog's noise as a start of the preview obtains it without a cache file (flat 256 x 256, the
// cubes of 64 and 256), with the longest time between two polls of the progress box as a counter;
// beside it a plain loop over the same cells: each filled by RandomMod, then one 1/4-1/2-1/4 pass.
// Then the cube's density texels beside memcpy of its bytes, and the font atlas beside rendering
// its glyphs with the font alone.
#include "foundation/strings/char_tables.h"
#include "foundation/text/random.h"
#include "params/beamvista_pars.h"
#include "platform/font_face.h"
#include "preview/fog_density.h"
#include "preview/fog_noise_store.h"
#include "preview/font_atlas.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kFlatSide = 256;
constexpr int32_t kFileFrequencyExponent = 3;
constexpr int32_t kPrintableFirst = 32;

// The progress box's place: polled by the computation, never stopping it.
class PollGaps : public LPerlinNoiseCallback
{
  public:
    explicit PollGaps(double& longestMs) : longestMs_(longestMs) {}
    bool Abort() override
    {
        const Clock::time_point now = Clock::now();
        longestMs_ = std::max(longestMs_, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
        return false;
    }

  private:
    double& longestMs_;
    Clock::time_point last_ = Clock::now();
};

FogNoiseRequest RequestFor(int32_t side, int32_t depth)
{
    return {side, side, depth, kFileFrequencyExponent};
}

void BM_FogNoise(benchmark::State& state)
{
    const auto side = static_cast<int32_t>(state.range(0));
    const auto depth = static_cast<int32_t>(state.range(1));
    double longestGapMs = 0;
    for (auto _ : state) {
        FogNoiseStore store({});
        const FogNoiseStore::Outcome outcome = store.Obtain(
            RequestFor(side, depth), [&longestGapMs] { return std::make_unique<PollGaps>(longestGapMs); });
        if (outcome == FogNoiseStore::Outcome::Missing) {
            state.SkipWithError("no noise");
            return;
        }
        benchmark::DoNotOptimize(store.Noise().Bytes());
    }
    state.counters["longest_poll_gap_ms"] = longestGapMs;
    state.counters["cells"] = static_cast<double>(side) * side * depth;
}
BENCHMARK(BM_FogNoise)
    ->Args({kFlatSide, 1})
    ->Args({64, 64})
    ->Args({256, 256})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The reference: every cell drawn from the generator once, then smoothed along one axis once.
void BM_PlainNoiseLoop(benchmark::State& state)
{
    const int64_t cells = state.range(0) * state.range(0) * state.range(1);
    std::vector<float> values(static_cast<size_t>(cells));
    std::vector<float> smoothed(values.size());
    for (auto _ : state) {
        uint32_t x = 0;
        uint32_t k = 0;
        RandomSeed(1, x, k);
        for (float& v : values)
            v = static_cast<float>(RandomMod(0x10000, x, k));
        for (size_t i = 1; i + 1 < values.size(); ++i)
            smoothed[i] = 0.25f * values[i - 1] + 0.5f * values[i] + 0.25f * values[i + 1];
        benchmark::DoNotOptimize(smoothed.data());
    }
}
BENCHMARK(BM_PlainNoiseLoop)
    ->Args({kFlatSide, 1})
    ->Args({64, 64})
    ->Args({256, 256})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

const std::vector<uint8_t>& CubeNoise()
{
    static const std::vector<uint8_t> noise = [] {
        std::vector<uint8_t> bytes(size_t{256} * 256 * 256);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
        return bytes;
    }();
    return noise;
}

void BM_CubeFogTexels(benchmark::State& state)
{
    LBeamvistaPars pars;
    pars.o_fog_structure = 0.5f;
    const FogDensityMap map = MakeFogDensityMap(pars);
    const std::vector<uint8_t>& noise = CubeNoise();
    for (auto _ : state)
        benchmark::DoNotOptimize(FogTexels(map, noise.data(), static_cast<int64_t>(noise.size())).data());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(noise.size()));
}
BENCHMARK(BM_CubeFogTexels)->Unit(benchmark::kMillisecond);

void BM_CubeMemcpy(benchmark::State& state)
{
    const std::vector<uint8_t>& noise = CubeNoise();
    for (auto _ : state) {
        std::vector<uint8_t> copy(noise.size());
        std::memcpy(copy.data(), noise.data(), noise.size());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(noise.size()));
}
BENCHMARK(BM_CubeMemcpy)->Unit(benchmark::kMillisecond);

void BM_FontAtlas(benchmark::State& state)
{
    const std::unique_ptr<FontFace> font = OpenAtlasFont();
    if (!font) {
        state.SkipWithError("no font");
        return;
    }
    for (auto _ : state) {
        FontAtlas atlas;
        if (!BuildFontAtlas(*font, atlas)) {
            state.SkipWithError("no atlas");
            return;
        }
        benchmark::DoNotOptimize(atlas.alpha.data());
    }
}
BENCHMARK(BM_FontAtlas)->Unit(benchmark::kMillisecond);

// The reference: the same characters rendered by the font, once each.
void BM_FontGlyphs(benchmark::State& state)
{
    const std::unique_ptr<FontFace> font = OpenAtlasFont();
    if (!font) {
        state.SkipWithError("no font");
        return;
    }
    const char16_t* unicode = AnsiToUnicodeTable();
    GlyphCoverage glyph;
    for (auto _ : state) {
        for (int32_t c = kPrintableFirst; c < 256; ++c) {
            font->RenderGlyph(unicode[c], glyph);
            benchmark::DoNotOptimize(glyph.coverage.data());
        }
    }
}
BENCHMARK(BM_FontGlyphs)->Unit(benchmark::kMillisecond);

} // namespace
