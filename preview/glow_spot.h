// The glow spot drawn at a scanner's place: a soft round spot, full at the centre and fading
// linearly to nothing at its radius. Drawn in integers, so every build has the same texels.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int32_t kGlowSpotSide = 32;

// kGlowSpotSide x kGlowSpotSide alpha bytes, row by row.
std::vector<uint8_t> GlowSpotTexels();
