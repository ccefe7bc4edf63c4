// Decoding and rendering a full laser frame of 24,576 words, the work done for up to 32
// channels on every tick of playback, next to zlib's inflate and memcpy of the same bytes.
// Goal: Huffman decoding at least 1.5 times inflate's output rate ("goal" beside
// ratio_to_inflate).
#include "bench/throughput_ratio.h"
#include "conversion/lpic.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/bit_archive.h"
#include "show/frame.h"
#include "show/frame_codec.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int32_t kQuality = 100;
constexpr int32_t kRenderPoints = 0x20000; // the preview's point buffer
constexpr int kFigurePoints = 12000;
constexpr double kDecodeGoal = 1.5;

double gInflateBytesPerSecond = 0;
double gMemcpyBytesPerSecond = 0;

// Per second of the thread's CPU time since start.
double PerSecond(double amount, double start)
{
    return amount / (ThreadCpuSeconds() - start);
}

// A full frame as shows carry them: a moving figure with colour changes and blanked jumps.
struct Fixture
{
    Fixture()
    {
        LPic pic;
        for (int i = 0; i < kFigurePoints; ++i) {
            LPicEntry e;
            const double t = i * 0.01;
            e.x = 0.8 * std::sin(3 * t) + 0.1 * std::sin(41 * t);
            e.y = 0.8 * std::cos(2 * t);
            e.color.red = (i / 40) % 2 ? 255 : 40;
            e.color.green = (i / 90) % 3 * 120;
            e.color.blue = (i / 25) % 2 ? 200 : 0;
            e.blank = i % 150 < 4;
            e.rampOn = i % 150 == 4;
            e.rampOff = i % 150 == 0;
            pic.Append(e);
        }
        frame->BuildFromPoints(pic, 0, 30000.0f, 4, 0.001f, 0.001f, 0, 0);

        codec.SetQuality(kQuality);
        codec.SetRanges();
        frame->HuffEncode(codec, nullptr);
        for (const LHuffHisto& histogram : codec.histograms)
            symbols += histogram.Total();
        codec.BuildTables();
        LArchiveXString archive;
        archive.OpenWrite(1 << 16);
        {
            LBitLArchive bits(&archive);
            frame->HuffEncode(codec, &bits);
        }
        const XAString text = archive.TakeString();
        coded.assign(text.View().begin(), text.View().end());

        raw.resize(sizeof(uint32_t) * static_cast<size_t>(frame->count));
        std::memcpy(raw.data(), frame->words, raw.size());
        uLongf size = compressBound(raw.size());
        deflated.resize(size);
        compress2(deflated.data(), &size, raw.data(), raw.size(), Z_DEFAULT_COMPRESSION);
        deflated.resize(size);
    }

    std::unique_ptr<LFrame> frame = std::make_unique<LFrame>();
    LFrameCodec codec;
    int64_t symbols = 0;
    std::vector<uint8_t> coded;
    std::vector<uint8_t> raw;
    std::vector<uint8_t> deflated;
};

const Fixture& TheFixture()
{
    static const Fixture fixture;
    return fixture;
}

void BM_Memcpy(benchmark::State& state)
{
    const Fixture& f = TheFixture();
    std::vector<uint8_t> copy(f.raw.size());
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        std::memcpy(copy.data(), f.raw.data(), f.raw.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    const double bytes = double(state.iterations()) * double(f.raw.size());
    gMemcpyBytesPerSecond = PerSecond(bytes, start);
    state.SetBytesProcessed(int64_t(bytes));
}

void BM_ZlibInflate(benchmark::State& state)
{
    const Fixture& f = TheFixture();
    std::vector<uint8_t> out(f.raw.size());
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        uLongf size = out.size();
        uncompress(out.data(), &size, f.deflated.data(), f.deflated.size());
        benchmark::DoNotOptimize(out.data());
    }
    const double bytes = double(state.iterations()) * double(f.raw.size());
    gInflateBytesPerSecond = PerSecond(bytes, start);
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["compressed_bytes"] = double(f.deflated.size());
}

void BM_FrameHuffDecode(benchmark::State& state)
{
    const Fixture& f = TheFixture();
    auto frame = std::make_unique<LFrame>();
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        LArchiveXString archive;
        archive.OpenReadMemory(f.coded.data(), int32_t(f.coded.size()), false);
        LBitLArchive bits(&archive);
        frame->HuffDecode(f.codec, bits);
        benchmark::DoNotOptimize(frame->words);
    }
    const double bytes = double(state.iterations()) * double(f.raw.size());
    const double ours = PerSecond(bytes, start);
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["symbols_per_s"] =
        benchmark::Counter(double(f.symbols), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["coded_bytes"] = double(f.coded.size());
    state.counters["words"] = double(f.frame->count);
    if (gInflateBytesPerSecond > 0)
        state.counters["ratio_to_inflate"] = ours / gInflateBytesPerSecond;
    state.counters["goal"] = kDecodeGoal;
    if (gMemcpyBytesPerSecond > 0)
        state.counters["ratio_to_memcpy"] = ours / gMemcpyBytesPerSecond;
}

// The preview's two renders: its graphics pass with scanner simulation (oversampling 4) and
// its beam pass without.
void BM_FrameRender(benchmark::State& state)
{
    const Fixture& f = TheFixture();
    const bool simulate = state.range(0) != 0;
    std::vector<LFrameOutPoint> points(kRenderPoints);
    int64_t produced = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        LFrameStats stats;
        produced += f.frame->Render(points.data(), kRenderPoints, &stats, simulate, simulate, 1.0f, 0.85f,
                                    1.05f, 1.11f, simulate ? 4 : 1);
        benchmark::DoNotOptimize(points.data());
    }
    const double bytes = double(state.iterations()) * double(f.raw.size());
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["points_per_s"] = benchmark::Counter(double(produced), benchmark::Counter::kIsRate);
    if (gMemcpyBytesPerSecond > 0)
        state.counters["ratio_to_memcpy"] = PerSecond(bytes, start) / gMemcpyBytesPerSecond;
}

// The references first, so that the ratios can be printed beside our own figures.
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_ZlibInflate);
BENCHMARK(BM_FrameHuffDecode);
BENCHMARK(BM_FrameRender)->Arg(1)->Arg(0);

} // namespace
