#include "preview/parameter_presets.h"

#include "params/beamvista_pars.h"

#include <algorithm>

namespace {

// The force switches: 0 off, 1 forced with the preset's values, 2 the show decides (default).
constexpr int32_t kForced = 1;
constexpr int32_t kShowDecides = 2;
constexpr float kFullNear = 0.999f;
constexpr float kEmptyNear = 0.001f;
constexpr float kFaint = 0.1f;
constexpr float kLineWidthTop = 10.001f;
constexpr float kLineWidthBottom = 0.499f;
constexpr float kLineWidthMax = 10;
constexpr float kLineWidthMin = 0.5f;
constexpr float kCloudMixTop = 1.001f;
constexpr float kCloudMixBottom = -0.001f;

float StepUp(float value, float step)
{
    return std::min(value + step, 1.0f);
}

float StepDown(float value, float step)
{
    return std::max(value + step, 0.0f);
}

} // namespace

namespace presets {

void ResetFog(LBeamvistaPars& pars)
{
    pars.o_fog_force = kShowDecides;
    pars.o_fog_intensity = 1;
    pars.o_fog_min_int = 1;
}

void StepFog(LBeamvistaPars& pars, float step)
{
    if (pars.o_fog_force != kForced) {
        pars.o_fog_force = kForced;
        pars.o_fog_intensity = step >= 0 ? kFaint : 1;
        pars.o_fog_min_int = step >= 0 ? 0 : 1;
    } else if (step >= 0) {
        if (pars.o_fog_min_int > kFullNear)
            ResetFog(pars);
        else if (pars.o_fog_intensity > kFullNear)
            pars.o_fog_min_int = StepUp(pars.o_fog_min_int, step);
        else
            pars.o_fog_intensity = StepUp(pars.o_fog_intensity, step);
    } else {
        if (pars.o_fog_intensity < kEmptyNear)
            ResetFog(pars);
        else if (pars.o_fog_min_int > kEmptyNear)
            pars.o_fog_min_int = StepDown(pars.o_fog_min_int, step);
        else
            pars.o_fog_intensity = StepDown(pars.o_fog_intensity, step);
    }
}

void ResetGraphics(LBeamvistaPars& pars)
{
    pars.o_graphics_force = kShowDecides;
    pars.o_graphics_intensity = 1;
}

void StepGraphics(LBeamvistaPars& pars, float step)
{
    if (pars.o_graphics_force != kForced) {
        pars.o_graphics_force = kForced;
        pars.o_graphics_intensity = step >= 0 ? kFaint : 1;
    } else if (step >= 0) {
        if (pars.o_graphics_intensity > kFullNear)
            ResetGraphics(pars);
        else
            pars.o_graphics_intensity = StepUp(pars.o_graphics_intensity, step);
    } else {
        if (pars.o_graphics_intensity < kEmptyNear)
            ResetGraphics(pars);
        else
            pars.o_graphics_intensity = StepDown(pars.o_graphics_intensity, step);
    }
}

void ResetLineWidth(LBeamvistaPars& pars)
{
    pars.o_line_width = BeamvistaDefaultPars().o_line_width;
}

void StepLineWidth(LBeamvistaPars& pars, float step)
{
    float width = pars.o_line_width + step;
    if (width > kLineWidthTop)
        width = kLineWidthMin;
    else if (width < kLineWidthBottom)
        width = kLineWidthMax;
    pars.o_line_width = width;
}

void ResetCloudMix(LBeamvistaPars& pars)
{
    pars.o_fog_cloud_mix = BeamvistaDefaultPars().o_fog_cloud_mix;
}

void StepCloudMix(LBeamvistaPars& pars, float step)
{
    float mix = pars.o_fog_cloud_mix + step;
    if (mix > kCloudMixTop)
        mix = 0;
    else if (mix < kCloudMixBottom)
        mix = 1;
    pars.o_fog_cloud_mix = mix;
}

} // namespace presets
