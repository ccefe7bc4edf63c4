#include "preview/out_point.h"

#include <algorithm>
#include <cmath>

LFrameOutPoint MakeOutPoint(float x, float y, uint8_t r, uint8_t g, uint8_t b, float shutterRamp,
                            float beamRamp)
{
    constexpr float kFullScale = 32767.0f;
    LFrameOutPoint pt;
    pt.x = int16_t(std::lround(std::clamp(x, -1.0f, 1.0f) * kFullScale));
    pt.y = int16_t(std::lround(std::clamp(y, -1.0f, 1.0f) * kFullScale));
    pt.blank = (r | g | b) == 0 ? 1 : 0;
    pt.red = r;
    pt.green = g;
    pt.blue = b;
    pt.shutterRamp = shutterRamp;
    pt.beamRamp = beamRamp;
    return pt;
}
