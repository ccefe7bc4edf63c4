#pragma once
// The galvanometers of the scanner simulation: two spring-damper axes, stepped at the
// simulation's time step towards the targets that the frame's commands set.
//
// The renderer first lays out every step of a frame (the axes' targets in the points'
// coordinates, the time step in runs of steps), then the axes are stepped over the laid-out
// steps in one pass. Several frames go through that pass side by side, one per vector lane,
// where the processor has the width for it: a frame's own steps depend on each other, frames do
// not. Each frame's numbers are those of stepping it alone, bit for bit.

#include "show/frame_records.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

namespace scanner_axes {
constexpr double kPositionLimit = 4.0;
constexpr double kTargetScale = 1.0 / 32768.0;
constexpr double kPositionToCoordinate = 32767.0;
constexpr double kSpeedScale = 0.0003703703703703704;
} // namespace scanner_axes

// One galvanometer, in units of full deflection.
struct ScannerAxis
{
    double target = 0.0;
    double position = 0.0;
    double velocity = 0.0;

    void Step(double dt, double spring, double damping)
    {
        const double difference = target - position;
        position += velocity * dt;
        velocity += (difference * spring - velocity * damping) * dt;
        position = std::clamp(position, -scanner_axes::kPositionLimit, scanner_axes::kPositionLimit);
        // Factors a show may carry (a negative spring or damping, a huge step) make the
        // model diverge; an axis that left the finite range rests on its target.
        if (!std::isfinite(position) || !std::isfinite(velocity))
            Settle();
    }

    void Settle()
    {
        position = target;
        velocity = 0.0;
    }

    int16_t Coordinate() const
    {
        return static_cast<int16_t>(std::clamp<int64_t>(
            static_cast<int64_t>(position * scanner_axes::kPositionToCoordinate), INT16_MIN, INT16_MAX));
    }
};

// Steps from `first` on run at one time step; without a usable step the axes sit on their
// targets.
struct ScannerRun
{
    int32_t first = 0;
    double dt = 0.0;
    bool usable = false;
};

// One frame's laid-out steps. On entry each point holds its step's targets in x and y; on return
// the simulated coordinates and the speed.
struct ScannerSteps
{
    LFrameOutPoint* points = nullptr;
    int32_t count = 0;
    // In order of their first steps; the first starts at step 0. Each holds at least one step.
    const ScannerRun* runs = nullptr;
    int32_t runCount = 0;
    // Out: the sum of the speeds stored, in step order.
    double speedSum = 0.0;
};

// How the axes are stepped: the best the processor offers, one frame at a time in scalar code, or
// frames side by side in AVX2 lanes (eight frames) or AVX-512 lanes (sixteen frames).
enum class ScannerPath { kBest, kScalar, kAvx2, kAvx512 };

// Whether the processor can take the path.
bool ScannerPathAvailable(ScannerPath path);

// Steps both axes of every frame from rest at the origin. Every path gives the same numbers; a
// path the processor lacks falls back to the scalar code.
void SimulateScanners(std::span<ScannerSteps> frames, double spring, double damping,
                      ScannerPath path = ScannerPath::kBest);
