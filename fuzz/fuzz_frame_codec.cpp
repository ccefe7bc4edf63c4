// A frame codec table block followed by coded frames, as a show file stores them: reading the
// tables and decoding hostile frames must neither crash nor write past a frame.
#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/bit_archive.h"
#include "show/frame.h"
#include "show/frame_codec.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {
constexpr int kMostFrames = 64;
constexpr int32_t kRenderPoints = 1 << 15;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LArchiveXString archive;
    if (!archive.OpenReadMemory(data, static_cast<int32_t>(size), false))
        return 0;
    LFrameCodec codec;
    codec.Read(archive);
    if (archive.HasError() || !codec.HasTables())
        return 0;
    auto frame = std::make_unique<LFrame>();
    std::vector<LFrameOutPoint> points(kRenderPoints);
    for (int i = 0; i < kMostFrames && !archive.HasError(); ++i) {
        LBitLArchive bits(&archive);
        frame->HuffDecode(codec, bits);
        if (frame->count < 0 || frame->count > LFrame::kCapacity)
            __builtin_trap();
        LFrameStats stats;
        const int32_t n =
            frame->Render(points.data(), kRenderPoints, &stats, true, true, 1.0f, 0.85f, 1.05f, 1.11f, 4);
        if (n < 0 || n > kRenderPoints || !std::isfinite(stats.averageSpeed))
            __builtin_trap();
    }
    return 0;
}
