// LFrameClock: the preview's frame clock. Each frame takes a time stamp (centiseconds of the system
// clock) and from it the time since the last frame, the PC frame rate (instant and averaged over
// at least a quarter second), the long-pause flag that restarts the laser-rate sums, and the fog
// drift offsets, which move with elapsed time so a slow machine drifts at the same speed.
#pragma once

#include <cstdint>

// How the fog moves: speed in texture units per second, directions in degrees.
struct FogMotion
{
    float speed = 0;
    float dirDegrees = 0;
    float dir2Degrees = 0;
    // A two-dimensional fog texture drifts at half the step.
    bool twoDimensional = false;
};

struct LFrameClock
{
    // More centiseconds than this between samples end an averaging window or mean a long pause.
    static constexpr int32_t kSampleCs = 24;
    static constexpr float kMaxFps = 999.9f;

    // tick: the frame's time stamp, or negative for now.
    void Update(int32_t tick, int32_t now, const FogMotion& fog);
    // Counts one rendered frame into the laser rate; laserFrameDelta is the show time it advanced.
    void CountLaserFrame();

    bool frameDrawn = false;
    int32_t frameCount = 0;
    int32_t frameTick = 0;
    float frameDelta = 0;
    int32_t lastTick = 0;
    float instantFps = 0;
    int32_t fpsSampleCount = 0;
    int32_t fpsSampleTick = 0;
    float pcFps = 0;
    bool longPause = false;
    int32_t pauseTick = 0;
    float laserFrameDelta = 0;
    float laserFpsTime = 0;
    int32_t laserFpsCount = 0;
    float laserFps = 0;
    float driftX = 0;
    float driftY = 0;
    float driftZ = 0;
};

// An offset brought back into [0, 1) by whole steps; what is not finite becomes 0.
float WrapDrift(float offset);
