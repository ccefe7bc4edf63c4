// The beam profile texture: a cross-section across t (the centre at 0.5) that fades towards both
// ends along s, so a beam drawn with it is soft at its edges and at its caps.
#pragma once

#include <cstdint>
#include <vector>

class LBeamvistaPars;

struct BeamProfileShape
{
    float a = 1; // the main curve's exponent
    float w = 0; // the weight of the second curve
    float b = 1; // the second curve's exponent
};

BeamProfileShape BeamProfileShapeOf(const LBeamvistaPars& pars);
// The profile at x in [-1, 1]: 1 at the centre, 0 at both edges.
float BeamProfile(float x, const BeamProfileShape& shape);
uint8_t BeamProfileTexel(float s, float t, const BeamProfileShape& shape);

inline constexpr int32_t kBeamProfileWidth = 512;
inline constexpr int32_t kBeamProfileHeight = 256;
// The 512 x 256 texels, row by row.
std::vector<uint8_t> BeamProfileTexels(const BeamProfileShape& shape);
