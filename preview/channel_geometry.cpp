#include "preview/channel_geometry.h"

#include "params/beamvista_pars.h"
#include "show/chan_out_pars.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr float kSmallestHalfExtent = 0.01f;
constexpr float kFlatPlaneDepth = 1e-6f;

struct PlaneFit
{
    float u, t, o, g;
};

// Fits the channel's rectangle into the screen along its tighter side.
PlaneFit FitPlane(const LBeamvistaPars& pars, const SceneView& view, const LChanOutPars& record, float m,
                  float d)
{
    const float w = view.halfWidth;
    const float h = view.halfHeight;
    if (w / m > h / d)
        return {d, h * std::fabs(pars.o_graphics_size_y * record.sizeY), w * (h / d) / (w / m), h};
    return {m, w * std::fabs(pars.o_graphics_size_x * record.sizeX), w, h * (w / m) / (h / d)};
}
} // namespace

float CombineIntensity(float channelValue, float parameter)
{
    return parameter > 1.0f ? channelValue + (parameter - 1.0f) : channelValue * parameter;
}

bool ChannelGeometry::IsFinite() const
{
    for (float value : {graphicsIntensity, fogIntensity, fogMinIntensity, beamIntensity, beamMinIntensity,
                        tabIntensity, scaleX, scaleY, offsetX, offsetY, depth, scannerX, scannerY,
                        screenScaleX, screenScaleY, screenOffsetX, screenOffsetY})
        if (!std::isfinite(value))
            return false;
    return true;
}

ChannelGeometry ComputeChannelGeometry(const LBeamvistaPars& pars, const SceneView& view,
                                       const LChanOutParsPair& cell, const LChanOutPars& record)
{
    ChannelGeometry geo;
    const float w = view.halfWidth;
    const float h = view.halfHeight;
    geo.graphicsIntensity = CombineIntensity(record.graphicsIntensity, pars.o_graphics_intensity);

    const float m = std::max({cell.xMax, kSmallestHalfExtent, -cell.xMin});
    const float d = std::max({cell.yMax, kSmallestHalfExtent, -cell.yMin});
    const PlaneFit fit = FitPlane(pars, view, record, m, d);

    const float depth = fit.t / (fit.u + fit.t);
    const float nearness = 1.0f - depth;
    geo.depth = depth;
    geo.scaleX = pars.o_graphics_size_x * record.sizeX * fit.o * nearness / m;
    geo.scaleY = pars.o_graphics_size_y * record.sizeY * fit.g * nearness / d;
    // The positions are relative to the record's size; written without dividing by it, so a
    // size of 0 still places the plane.
    geo.offsetX = w * nearness * pars.o_graphics_pos_x +
                  pars.o_graphics_size_x * fit.o * nearness * record.positionX / m;
    geo.offsetY = h * nearness * pars.o_graphics_pos_y +
                  pars.o_graphics_size_y * fit.g * nearness * record.positionY / d;

    geo.fogIntensity = CombineIntensity(record.fogIntensity, pars.o_fog_intensity);
    geo.fogMinIntensity =
        CombineIntensity(CombineIntensity(geo.fogIntensity, record.fogMinIntensity), pars.o_fog_min_int);

    const float f = 1.0f / nearness;
    geo.scannerX = f * record.scannerPositionX * (fit.o * nearness / m) + w * pars.o_scanner_pos_x;
    geo.scannerY = f * record.scannerPositionY * (fit.g * nearness / d) + h * pars.o_scanner_pos_y;

    if (depth >= kFlatPlaneDepth) {
        geo.screenScaleX = geo.scaleX / depth;
        geo.screenScaleY = geo.scaleY / depth;
        geo.screenOffsetX = geo.scannerX + (geo.offsetX - geo.scannerX) / depth;
        geo.screenOffsetY = geo.scannerY + (geo.offsetY - geo.scannerY) / depth;
    } else {
        geo.screenOffsetX = geo.scannerX;
        geo.screenOffsetY = geo.scannerY;
    }

    geo.beamIntensity = CombineIntensity(CombineIntensity(geo.fogIntensity, record.beamDetectIntensity),
                                         pars.o_beam_detect_intensity);
    geo.beamMinIntensity = CombineIntensity(CombineIntensity(geo.fogMinIntensity, record.beamDetectIntensity),
                                            pars.o_beam_detect_intensity);
    // A show's count may be anything: the sum saturates instead of wrapping.
    const int64_t repeat = int64_t(pars.o_beam_detect_repeat) + record.beamDetectRepeat;
    geo.beamRepeat = int32_t(std::clamp<int64_t>(repeat, INT32_MIN, INT32_MAX));
    geo.tabIntensity = CombineIntensity(record.beamTabIntensity, pars.o_beam_tab_intensity);
    return geo;
}
