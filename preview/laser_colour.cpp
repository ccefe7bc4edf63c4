#include "preview/laser_colour.h"

#include <algorithm>

RenderColour NormalisedColour(float r, float g, float b, float intensity)
{
    RenderColour colour{r * intensity, g * intensity, b * intensity};
    const float largest = std::max({colour.r, colour.g, colour.b});
    if (largest > 1.0f) {
        colour.r /= largest;
        colour.g /= largest;
        colour.b /= largest;
    }
    return colour;
}

RenderColour LaserColour(uint8_t r, uint8_t g, uint8_t b, float intensity)
{
    constexpr float kByte = 1.0f / 255.0f;
    return NormalisedColour(float(r) * kByte, float(g) * kByte, float(b) * kByte, intensity);
}
