#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "show/frame.h"

#include <algorithm>

namespace {
constexpr double kMicroseconds = 1e-6;
} // namespace

LaserFrameRenderer::LaserFrameRenderer()
{
    static const LBeamvistaPars defaults;
    pars_ = &defaults;
    ResetChannelDefaults();
}

LFrameRenderSettings FogPassRenderSettings(const LBeamvistaPars& pars)
{
    LFrameRenderSettings settings;
    settings.simulate = false;
    settings.simulatePosition = false;
    settings.freqFactor = pars.o_sim_freqf;
    settings.colorDelayFactor = pars.o_sim_color_delayf;
    settings.springFactor = pars.p0x11220;
    settings.dampingFactor = pars.p0x11230;
    settings.oversampling = 1;
    return settings;
}

LFrameRenderSettings GraphicsPassRenderSettings(const LBeamvistaPars& pars)
{
    LFrameRenderSettings settings = FogPassRenderSettings(pars);
    settings.simulate = pars.o_simulate != 0;
    settings.simulatePosition = pars.o_sim_pos != 0;
    settings.oversampling = pars.p0x11260;
    return settings;
}

void LaserFrameRenderer::SetScene(const LBeamvistaPars& pars, const SceneView& view, const FogDrift& drift)
{
    pars_ = &pars;
    view_ = view;
    fog_.Prepare(pars, drift);
}

void LaserFrameRenderer::ResetChannelDefaults()
{
    defaultRecord_.SetDefaults(true);
    defaultPair_.SetDefaults(true);
    defaultPair_.records[0] = defaultRecord_;
    defaultTable_.SetDefaults();
    for (int32_t channel = 0; channel < LChanOutParsTable::kChannels; ++channel)
        defaultTable_.SetEntry(channel, 0, defaultPair_);
    defaultGeometry_ = ComputeChannelGeometry(*pars_, view_, defaultPair_, defaultRecord_);
}

void LaserFrameRenderer::DrawLaserFrames(const LFrame& frame, const LChanOutParsTable* table,
                                         RenderBatchBuilder& out)
{
    DrawLaserFrames(
        frame,
        [&](const LFrameRenderSettings& settings, LFrameStats& stats) {
            points_.resize(kPointCapacity);
            const int32_t count =
                frame.Render(points_.data(), kPointCapacity, &stats, settings.simulate,
                             settings.simulatePosition, settings.freqFactor, settings.colorDelayFactor,
                             settings.springFactor, settings.dampingFactor, settings.oversampling);
            return std::span<const LFrameOutPoint>(points_.data(), size_t(count));
        },
        table, out);
}

void LaserFrameRenderer::DrawLaserFrames(const LFrame& frame, const FramePointSource& points,
                                         const LChanOutParsTable* table, RenderBatchBuilder& out)
{
    if (frame.ValidCount() == 0)
        return;
    const LBeamvistaPars& p = *pars_;
    const LChanOutParsTable& cells = table ? *table : defaultTable_;

    LFrameStats stats;
    frame.GetStats(stats);
    if (stats.timeSeen)
        longestFrameDuration_ =
            std::max(longestFrameDuration_, float(double(stats.lastTime - stats.firstTime) * kMicroseconds));

    if (p.o_fog_force != 0) {
        LFrameStats renderStats;
        const std::span<const LFrameOutPoint> fogPoints = points(FogPassRenderSettings(p), renderStats);
        DrawFogFan(fogPoints, cells, out);
        DrawBeams(fogPoints, cells, out);
    }
    if (p.o_graphics_force != 0) {
        LFrameStats renderStats;
        const std::span<const LFrameOutPoint> graphicsPoints =
            points(GraphicsPassRenderSettings(p), renderStats);
        DrawGraphics(graphicsPoints, renderStats.averageSpeed, cells, out);
    }
    if (p.o_beam_tab_force != 0) {
        entries_.resize(kImageEntryCapacity);
        const int32_t count = frame.GetImageEntries(entries_.data(), kImageEntryCapacity);
        if (count > 0)
            DrawBeamTabs(std::span<const LFrameImageEntry>(entries_.data(), size_t(count)), cells, out);
    }
}
