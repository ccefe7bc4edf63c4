#include "preview/frame_clock.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kCsToSeconds = 0.01f;
constexpr float kMinInstantSeconds = 0.001f;
constexpr float kLaserSampleSeconds = 0.25f;

int32_t CsDistance(int32_t a, int32_t b)
{
    // Centisecond counts wrap; their difference is taken in 32 bits.
    const int32_t d = static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
    return d == INT32_MIN ? INT32_MAX : std::abs(d);
}

} // namespace

float WrapDrift(float offset)
{
    if (!std::isfinite(offset))
        return 0;
    return offset - std::floor(offset);
}

void LFrameClock::Update(int32_t tick, int32_t now, const FogMotion& fog)
{
    frameDrawn = false;
    const bool first = frameCount == 0;
    ++frameCount;
    if (tick < 0)
        tick = now;

    // The first frame has no predecessor: its delta is 0, not the distance from time 0.
    frameDelta = first ? 0.0f
                       : static_cast<float>(static_cast<int32_t>(static_cast<uint32_t>(tick) -
                                                                 static_cast<uint32_t>(frameTick))) *
                             kCsToSeconds;
    frameTick = tick;

    const float sinceLast = static_cast<float>(CsDistance(now, lastTick)) * kCsToSeconds;
    instantFps = sinceLast > kMinInstantSeconds ? 1.0f / sinceLast : kMaxFps;
    lastTick = now;

    if (fpsSampleTick == 0) {
        fpsSampleCount = frameCount;
        fpsSampleTick = now;
        pcFps = instantFps;
    } else if (const int32_t window = CsDistance(now, fpsSampleTick); window > kSampleCs) {
        pcFps = static_cast<float>(frameCount - fpsSampleCount) * 100.0f / static_cast<float>(window);
        fpsSampleCount = frameCount;
        fpsSampleTick = now;
    }

    laserFrameDelta = 0;
    longPause = CsDistance(now, pauseTick) > kSampleCs;
    if (longPause) {
        laserFpsTime = 0;
        laserFpsCount = 0;
        laserFps = 0;
    }
    pauseTick = now;

    const float dir = fog.dirDegrees * kDegreesToRadians;
    const float dir2 = fog.dir2Degrees * kDegreesToRadians;
    float step = frameDelta * fog.speed;
    if (fog.twoDimensional)
        step *= 0.5f;
    driftX = WrapDrift(driftX + std::cos(dir) * step);
    driftY = WrapDrift(driftY + std::sin(dir) * std::cos(dir2) * step);
    driftZ = WrapDrift(driftZ + std::sin(dir) * std::sin(dir2) * step);
}

void LFrameClock::CountLaserFrame()
{
    if (laserFrameDelta <= 0) {
        laserFpsTime = 0;
        laserFpsCount = 0;
        laserFps = 0;
        return;
    }
    ++laserFpsCount;
    laserFpsTime += laserFrameDelta;
    if (longPause || laserFpsTime > kLaserSampleSeconds) {
        const float fps = static_cast<float>(laserFpsCount) / laserFpsTime;
        laserFps = fps > kMaxFps ? kMaxFps : fps;
        laserFpsTime = 0;
        laserFpsCount = 0;
    }
}
