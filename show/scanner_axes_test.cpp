#include "show/internal/scanner_axes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// One frame's laid-out steps, owned.
struct LaidOutFrame
{
    std::vector<LFrameOutPoint> points;
    std::vector<ScannerRun> runs;

    ScannerSteps Steps()
    {
        return ScannerSteps{points.data(), static_cast<int32_t>(points.size()), runs.data(),
                            static_cast<int32_t>(runs.size()), 0.0};
    }
};

// Frames of many lengths (an empty one or a few steps among them) with targets anywhere, at
// the limits or standing still, and runs of time steps that are usual, not usable, zero while
// usable, or far too long.
std::vector<LaidOutFrame> Workout(uint32_t seed, int32_t frames)
{
    std::mt19937 random(seed);
    const auto pick = [&](uint32_t n) { return uint32_t(random() % n); };
    const double dts[] = {1.0 / 120000, 1.0 / 4000, 1.0 / 400000, 0.0, 1e300, 0.5};
    std::vector<LaidOutFrame> made(static_cast<size_t>(frames));
    for (LaidOutFrame& frame : made) {
        const int32_t lengths[] = {0, 1, 7, 300, 1500, 4000};
        const int32_t count = lengths[pick(6)] + int32_t(pick(50));
        int16_t x = 0;
        int16_t y = 0;
        for (int32_t s = 0; s < count; ++s) {
            if (pick(5) == 0) {
                const int16_t limits[] = {INT16_MIN, INT16_MAX, 0};
                x = pick(4) == 0 ? limits[pick(3)] : int16_t(random());
                y = pick(4) == 0 ? limits[pick(3)] : int16_t(random());
            }
            if (frame.runs.empty() || pick(400) == 0) {
                const double dt = dts[pick(std::size(dts))];
                const bool usable = dt == 1e300 || pick(6) != 0;
                frame.runs.push_back(ScannerRun{s, dt, usable});
            }
            LFrameOutPoint point;
            point.x = x;
            point.y = y;
            frame.points.push_back(point);
        }
    }
    return made;
}

// Every field the stepping writes, as bits.
void ExpectSameSteps(const LaidOutFrame& got, const LaidOutFrame& expected, double gotSum, double expectedSum,
                     const char* name, size_t frame)
{
    ASSERT_EQ(got.points.size(), expected.points.size());
    for (size_t s = 0; s < got.points.size(); ++s) {
        ASSERT_EQ(got.points[s].x, expected.points[s].x) << name << " frame " << frame << " step " << s;
        ASSERT_EQ(got.points[s].y, expected.points[s].y) << name << " frame " << frame << " step " << s;
        ASSERT_EQ(std::bit_cast<uint32_t>(got.points[s].speed), std::bit_cast<uint32_t>(expected.points[s].speed))
            << name << " frame " << frame << " step " << s;
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(gotSum), std::bit_cast<uint64_t>(expectedSum)) << name << " frame " << frame;
}

} // namespace

// Each vector path steps more frames than it has lanes (lanes end at different steps and take the
// next frame) and must give every frame what the scalar code gives it, bit for bit, also where the
// model diverges or the factors are not numbers.
TEST(ScannerAxes, EveryPathGivesWhatTheScalarCodeGives)
{
    const double spring = 1.05 * 299999999.99999994;
    const double damping = 1.11 * 27000.0;
    const struct
    {
        const char* name;
        double spring, damping;
    } models[] = {{"preview defaults", spring, damping},
                  {"diverging", 40.0 * 299999999.99999994, -3.0 * 27000.0},
                  {"no damping", spring, 0.0},
                  {"not a number", std::numeric_limits<double>::quiet_NaN(), damping}};
    const struct
    {
        const char* name;
        ScannerPath path;
    } paths[] = {{"AVX2", ScannerPath::kAvx2}, {"AVX-512", ScannerPath::kAvx512}, {"best", ScannerPath::kBest}};
    for (const auto& model : models) {
        std::vector<LaidOutFrame> expected = Workout(11, 37);
        std::vector<ScannerSteps> expectedSteps;
        for (LaidOutFrame& frame : expected)
            expectedSteps.push_back(frame.Steps());
        SimulateScanners(expectedSteps, model.spring, model.damping, ScannerPath::kScalar);
        for (const auto& path : paths) {
            if (!ScannerPathAvailable(path.path)) {
                // Nothing to compare on this processor; the path must still fall back.
                continue;
            }
            std::vector<LaidOutFrame> got = Workout(11, 37);
            std::vector<ScannerSteps> gotSteps;
            for (LaidOutFrame& frame : got)
                gotSteps.push_back(frame.Steps());
            SimulateScanners(gotSteps, model.spring, model.damping, path.path);
            for (size_t f = 0; f < got.size(); ++f)
                ExpectSameSteps(got[f], expected[f], gotSteps[f].speedSum, expectedSteps[f].speedSum, path.name, f);
        }
    }
}

// Fewer frames than lanes leave lanes idle from the start: the frames there are still stepped
// as alone.
TEST(ScannerAxes, FewFramesAsAlone)
{
    for (int32_t frames : {2, 3, 9}) {
        std::vector<LaidOutFrame> expected = Workout(5, frames);
        std::vector<LaidOutFrame> got = Workout(5, frames);
        std::vector<ScannerSteps> expectedSteps, gotSteps;
        for (size_t f = 0; f < got.size(); ++f) {
            expectedSteps.push_back(expected[f].Steps());
            gotSteps.push_back(got[f].Steps());
        }
        SimulateScanners(expectedSteps, 3e8, 3e4, ScannerPath::kScalar);
        SimulateScanners(gotSteps, 3e8, 3e4);
        for (size_t f = 0; f < got.size(); ++f)
            ExpectSameSteps(got[f], expected[f], gotSteps[f].speedSum, expectedSteps[f].speedSum, "best", f);
    }
}
