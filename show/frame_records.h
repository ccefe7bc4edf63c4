#pragma once
// The records that frame operations fill (statistics, image entries and output points) and the
// settings of a render.

#include <cstdint>

struct LFrameStats
{
    uint32_t channelMask = 0;    // bit (channel AND 31) per channel named in the frame
    uint32_t subChannelMask = 0; // likewise for sub-channels
    int64_t firstTime = 0;       // microseconds
    int64_t lastTime = 0;
    uint8_t timeSeen = 0;
    float averageSpeed = 1.0f; // 1.0 when not computed

    void Clear() { *this = LFrameStats(); }
};

struct LFrameImageEntry
{
    uint8_t channel = 0;
    uint8_t subChannel = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    int16_t imageId = 0;
    int16_t x = 0;
    int16_t y = 0;
    int32_t duration = 0; // microseconds
};

struct LFrameOutPoint
{
    uint8_t channel = 0;
    uint8_t subChannel = 0;
    int16_t x = 0;
    int16_t y = 0;
    uint8_t blank = 1;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    float shutterRamp = 0.0f; // 0 .. 1
    float beamRamp = 0.0f;    // 0 .. 1
    float speed = 1.0f;
};

// What the scanner simulation of a frame depends on besides the frame (LFrame::Render).
struct LFrameRenderSettings
{
    bool simulate = true;
    bool simulatePosition = true;
    float freqFactor = 1.0f;
    float colorDelayFactor = 0.85f;
    float springFactor = 1.05f;
    float dampingFactor = 1.11f;
    int32_t oversampling = 4;

    bool operator==(const LFrameRenderSettings&) const = default;
};
