// Arbitrary laid-out scanner steps of several frames, with arbitrary spring and damping and time
// steps: every vector path the processor has must give each frame what the scalar code gives it,
// bit for bit.
#include "show/internal/scanner_axes.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr size_t kHeaderBytes = 17; // spring, damping, frame count
constexpr size_t kStepBytes = 5;    // x, y, and a byte that may start a run
constexpr size_t kMostFrames = 40;

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

double DoubleAt(const uint8_t* data)
{
    double value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// A run's time step from its byte: usual ones, none, zero while usable, and some far too long.
ScannerRun RunAt(int32_t first, uint8_t code)
{
    const double dts[] = {1.0 / 120000, 1.0 / 4000, 0.0, 1e300, 1e-300, 0.5, 1.0 / 30000, 2e-6};
    return ScannerRun{first, dts[code & 7], (code & 8) != 0};
}

struct Frames
{
    std::vector<std::vector<LFrameOutPoint>> points;
    std::vector<std::vector<ScannerRun>> runs;
    std::vector<ScannerSteps> steps;
};

// The input's steps dealt out to the frames in turn.
Frames Deal(const uint8_t* data, size_t size, size_t frames)
{
    Frames made;
    made.points.resize(frames);
    made.runs.resize(frames);
    for (size_t i = 0; i + kStepBytes <= size; i += kStepBytes) {
        const size_t f = (i / kStepBytes) % frames;
        const uint8_t* step = data + i;
        LFrameOutPoint point;
        std::memcpy(&point.x, step, 2);
        std::memcpy(&point.y, step + 2, 2);
        std::vector<ScannerRun>& runs = made.runs[f];
        const int32_t at = static_cast<int32_t>(made.points[f].size());
        if (runs.empty() || (step[4] & 0xF0) == 0xF0)
            runs.push_back(RunAt(at, step[4]));
        made.points[f].push_back(point);
    }
    for (size_t f = 0; f < frames; ++f) {
        made.steps.push_back(ScannerSteps{made.points[f].data(), static_cast<int32_t>(made.points[f].size()),
                                          made.runs[f].data(), static_cast<int32_t>(made.runs[f].size()), 0.0});
    }
    return made;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    const double spring = DoubleAt(data);
    const double damping = DoubleAt(data + 8);
    const size_t frames = 2 + data[16] % (kMostFrames - 1);
    Frames expected = Deal(data + kHeaderBytes, size - kHeaderBytes, frames);
    SimulateScanners(expected.steps, spring, damping, ScannerPath::kScalar);
    for (ScannerPath path : {ScannerPath::kAvx2, ScannerPath::kAvx512}) {
        if (!ScannerPathAvailable(path))
            continue;
        Frames got = Deal(data + kHeaderBytes, size - kHeaderBytes, frames);
        SimulateScanners(got.steps, spring, damping, path);
        for (size_t f = 0; f < frames; ++f) {
            Check(std::bit_cast<uint64_t>(got.steps[f].speedSum) == std::bit_cast<uint64_t>(expected.steps[f].speedSum));
            for (size_t s = 0; s < got.points[f].size(); ++s) {
                const LFrameOutPoint& a = got.points[f][s];
                const LFrameOutPoint& b = expected.points[f][s];
                Check(a.x == b.x && a.y == b.y && std::bit_cast<uint32_t>(a.speed) == std::bit_cast<uint32_t>(b.speed));
            }
        }
    }
    return 0;
}
