#pragma once
// The colour a laser vertex is drawn in: a colour times an intensity, brought back into range
// by its largest component so that an overdriven beam keeps its hue.

#include <cstdint>

#include "preview/render_batch.h"

// Components already in 0..1 (sums of such), times the intensity.
RenderColour NormalisedColour(float r, float g, float b, float intensity);
// Colour bytes times the intensity / 255.
RenderColour LaserColour(uint8_t r, uint8_t g, uint8_t b, float intensity);

inline bool IsBlack(uint8_t r, uint8_t g, uint8_t b)
{
    return (r | g | b) == 0;
}
