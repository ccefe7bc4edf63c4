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
    if (frame.ValidCount() == 0)
        return;
    const LBeamvistaPars& p = *pars_;
    const LChanOutParsTable& cells = table ? *table : defaultTable_;

    LFrameStats stats;
    frame.GetStats(stats);
    if (stats.timeSeen)
        longestFrameDuration_ =
            std::max(longestFrameDuration_, float(double(stats.lastTime - stats.firstTime) * kMicroseconds));

    if (p.o_fog_force != 0 || p.o_graphics_force != 0)
        points_.resize(kPointCapacity);
    if (p.o_fog_force != 0) {
        const int32_t count = frame.Render(points_.data(), kPointCapacity, nullptr, false, false,
                                           p.o_sim_freqf, p.o_sim_color_delayf, p.p0x11220, p.p0x11230, 1);
        const std::span<const LFrameOutPoint> points(points_.data(), size_t(count));
        DrawFogFan(points, cells, out);
        DrawBeams(points, cells, out);
    }
    if (p.o_graphics_force != 0) {
        LFrameStats renderStats;
        const int32_t count =
            frame.Render(points_.data(), kPointCapacity, &renderStats, p.o_simulate != 0, p.o_sim_pos != 0,
                         p.o_sim_freqf, p.o_sim_color_delayf, p.p0x11220, p.p0x11230, p.p0x11260);
        DrawGraphics(std::span<const LFrameOutPoint>(points_.data(), size_t(count)), renderStats.averageSpeed,
                     cells, out);
    }
    if (p.o_beam_tab_force != 0) {
        entries_.resize(kImageEntryCapacity);
        const int32_t count = frame.GetImageEntries(entries_.data(), kImageEntryCapacity);
        if (count > 0)
            DrawBeamTabs(std::span<const LFrameImageEntry>(entries_.data(), size_t(count)), cells, out);
    }
}
