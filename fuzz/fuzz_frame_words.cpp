// Arbitrary frame words, with a hostile word count and hostile render factors, through every
// whole-frame operation: nothing may crash, read past the frame or give non-finite output.
#include "foundation/archives/bit_archive.h"
#include "show/frame.h"
#include "show/frame_codec.h"
#include "fuzz/memory_bits.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr size_t kHeaderBytes = 24;
constexpr int32_t kRenderPoints = 1 << 15;
constexpr int32_t kImageEntries = 1024;
// Every row of the quality table: a codec's histograms cost only what the frame's symbols use,
// so the wide colour ranges of 90 and 100 are as quick as the narrow ones.
constexpr int32_t kQualities[] = {60, 70, 80, 90, 100};

float FloatAt(const uint8_t* data)
{
    float value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void RenderChecked(const LFrame& frame, const uint8_t* header, std::vector<LFrameOutPoint>& points)
{
    LFrameStats stats;
    const int32_t n = frame.Render(points.data(), kRenderPoints, &stats, header[0] & 1, header[0] & 2,
                                   FloatAt(header + 4), FloatAt(header + 8), FloatAt(header + 12),
                                   FloatAt(header + 16), static_cast<int8_t>(header[1]));
    Check(n >= 0 && n <= kRenderPoints && std::isfinite(stats.averageSpeed));
    for (int32_t i = 0; i < n; ++i) {
        const LFrameOutPoint& p = points[i];
        Check(std::isfinite(p.speed) && p.shutterRamp >= 0.0f && p.shutterRamp <= 1.0f &&
              p.beamRamp >= 0.0f && p.beamRamp <= 1.0f);
    }
}

void CodeChecked(const LFrame& frame, int32_t quality)
{
    LFrameCodec codec;
    codec.SetQuality(quality);
    Check(codec.SetRanges());
    frame.HuffEncode(codec, nullptr);
    if (!codec.BuildTables())
        return;
    MemoryBits bits;
    frame.HuffEncode(codec, &bits);
    // Frames are large: made once, so that no input pays for fresh pages.
    static const auto decoded = std::make_unique<LFrame>();
    decoded->HuffDecode(codec, bits);
    Check(decoded->count >= 0 && decoded->count <= LFrame::kCapacity);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    static const auto frame = std::make_unique<LFrame>();
    std::memset(frame->words, 0, sizeof frame->words);
    const size_t words = std::min((size - kHeaderBytes) / 4, size_t(LFrame::kCapacity));
    for (size_t i = 0; i < words; ++i) {
        const uint8_t* w = data + kHeaderBytes + 4 * i;
        frame->words[i] = uint32_t(w[0]) << 24 | uint32_t(w[1]) << 16 | uint32_t(w[2]) << 8 | w[3];
    }
    int32_t count;
    std::memcpy(&count, data + 20, sizeof count);
    frame->count = (data[0] & 4) ? count : static_cast<int32_t>(words);

    static std::vector<LFrameOutPoint> points(kRenderPoints);
    RenderChecked(*frame, data, points);
    LFrameStats stats;
    frame->GetStats(stats);
    LFrameImageEntry entries[kImageEntries];
    Check(frame->GetImageEntries(entries, kImageEntries) <= kImageEntries);
    Check(frame->Equals(LFrame(*frame)));
    CodeChecked(*frame, kQualities[data[2] % std::size(kQualities)]);
    return 0;
}
