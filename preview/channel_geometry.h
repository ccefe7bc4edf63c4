#pragma once
// Where one output record of a laser channel puts its picture: the graphics plane between the
// scanner (depth 0) and the screen (depth 1), the screen mapping along the rays from the
// scanner, and the record's intensities combined with the preview's parameters.

#include <cstdint>

class LBeamvistaPars;
struct LChanOutPars;
struct LChanOutParsPair;

// The half width and height of the screen plane (the longer is 1) and the size of one pixel
// there.
struct SceneView
{
    float halfWidth = 1.0f;
    float halfHeight = 1.0f;
    float pixelSize = 1.0f / 320.0f;
};

// A channel value combined with a preview parameter: raised by what the parameter exceeds 1,
// else scaled by it.
float CombineIntensity(float channelValue, float parameter);

struct ChannelGeometry
{
    float graphicsIntensity = 0.0f;       // gI
    float fogIntensity = 0.0f;            // fI
    float fogMinIntensity = 0.0f;         // fM
    float beamIntensity = 0.0f;           // bI
    float beamMinIntensity = 0.0f;        // bM
    int32_t beamRepeat = 0;               // bR
    float tabIntensity = 0.0f;            // tI
    float scaleX = 0.0f, scaleY = 0.0f;   // gx, gy
    float offsetX = 0.0f, offsetY = 0.0f; // ox, oy
    float depth = 0.0f;                   // D
    float scannerX = 0.0f, scannerY = 0.0f;
    float screenScaleX = 0.0f, screenScaleY = 0.0f;   // kx, ky
    float screenOffsetX = 0.0f, screenOffsetY = 0.0f; // px, py

    // False when a show's table held values that leave any of it undefined: such a record
    // draws nothing.
    bool IsFinite() const;

    // Output coordinates are 16-bit values x 2^-15.
    float PlaneX(float x) const { return x * scaleX + offsetX; }
    float PlaneY(float y) const { return y * scaleY + offsetY; }
    float ScreenX(float x) const { return x * screenScaleX + screenOffsetX; }
    float ScreenY(float y) const { return y * screenScaleY + screenOffsetY; }
};

inline constexpr float kLaserCoordinateScale = 1.0f / 32768.0f;

ChannelGeometry ComputeChannelGeometry(const LBeamvistaPars& pars, const SceneView& view,
                                       const LChanOutParsPair& cell, const LChanOutPars& record);
