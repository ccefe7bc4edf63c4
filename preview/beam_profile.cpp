#include "preview/beam_profile.h"

#include "params/beamvista_pars.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kCapLength = 0.25f;

float Curve(float c, float exponent)
{
    return std::pow(c, std::exp(exponent) - 1.0f);
}

} // namespace

BeamProfileShape BeamProfileShapeOf(const LBeamvistaPars& p)
{
    return {p.p0x21050, p.p0x21060, p.p0x21070};
}

float BeamProfile(float x, const BeamProfileShape& shape)
{
    // cos falls just below 0 at the edges in float, and a power of a negative number is NaN.
    const float c = std::max(0.0f, std::cos(x * std::numbers::pi_v<float> / 2.0f));
    return (1.0f - shape.w) * Curve(c, shape.a) + shape.w * Curve(c, shape.b);
}

uint8_t BeamProfileTexel(float s, float t, const BeamProfileShape& shape)
{
    float along = 1.0f;
    if (s < kCapLength)
        along = BeamProfile((s - kCapLength) * 4.0f, shape);
    else if (s > 1.0f - kCapLength)
        along = BeamProfile((s - (1.0f - kCapLength)) * 4.0f, shape);
    const float value = 256.0f * BeamProfile(2.0f * t - 1.0f, shape) * along;
    if (!(value > 0.0f))
        return 0;
    return value >= 255.0f ? 255 : static_cast<uint8_t>(value);
}

std::vector<uint8_t> BeamProfileTexels(const BeamProfileShape& shape)
{
    std::vector<uint8_t> texels(static_cast<size_t>(kBeamProfileWidth) * kBeamProfileHeight);
    for (int32_t j = 0; j < kBeamProfileHeight; ++j)
        for (int32_t i = 0; i < kBeamProfileWidth; ++i)
            texels[static_cast<size_t>(j) * kBeamProfileWidth + i] =
                BeamProfileTexel(static_cast<float>(i) / kBeamProfileWidth,
                                 static_cast<float>(j) / kBeamProfileHeight, shape);
    return texels;
}
