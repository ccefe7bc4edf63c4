#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/out_point.h"
#include "preview/texture_kind.h"

#include <cmath>
#include <numbers>

namespace {
constexpr float kVisibleIntensity = 0.001f;
constexpr int32_t kCircleSteps = 380; // one degree each: the first 20 degrees twice
constexpr int32_t kPlaneTriangles = 100;
constexpr float kPlaneSpeed = 0.01f;

// A lit polyline whose first point only places the pen: the passes start from the origin.
std::vector<LFrameOutPoint> PenUpFirst(std::vector<LFrameOutPoint> points)
{
    if (!points.empty())
        points.front().red = points.front().green = points.front().blue = 0;
    return points;
}
} // namespace

void LaserFrameRenderer::DrawTestCircle(RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    const ChannelGeometry& geo = defaultGeometry_;
    if (!geo.IsFinite())
        return;
    auto circle = [&](float ramp) {
        std::vector<LFrameOutPoint> points;
        for (int32_t step = 0; step <= kCircleSteps; ++step) {
            const double angle = double(step) * std::numbers::pi / 180.0;
            points.push_back(
                MakeOutPoint(float(std::cos(angle)), float(std::sin(angle)), 255, 255, 0, ramp, ramp));
        }
        return PenUpFirst(std::move(points));
    };
    if (geo.fogIntensity > kVisibleIntensity) {
        out.Begin(GlPrimitive::Triangles, kFogTexture);
        FanRun(circle(1.0f), geo, scanners_.Register(geo.scannerX, geo.scannerY), false, out);
        out.End();
    }
    const bool enhanced = p.o_enhanced_lines != 0;
    out.Begin(enhanced ? GlPrimitive::Quads : GlPrimitive::Lines,
              enhanced && p.o_beam_profile ? kBeamProfileTexture : kNoTexture);
    GraphicsRun(circle(p.o_graphics_intensity), geo, 1.0f, out);
    out.End();
}

void LaserFrameRenderer::DrawTestPlane(float frameDelta, RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    if (!(p.o_fog_intensity >= kVisibleIntensity))
        return;
    planePosition_ += kPlaneSpeed * frameDelta;
    if (planePosition_ > 1.0f) {
        planePosition_ = -1.0f;
        planeVertical_ = !planeVertical_;
    } else if (planePosition_ < -1.0f) {
        planePosition_ = 1.0f;
    }
    const ChannelGeometry& geo = defaultGeometry_;
    if (!geo.IsFinite())
        return;
    std::vector<LFrameOutPoint> line;
    for (int32_t i = 0; i <= kPlaneTriangles; ++i) {
        const float along = -1.0f + 2.0f * float(i) / float(kPlaneTriangles);
        line.push_back(planeVertical_ ? MakeOutPoint(planePosition_, along, 0, 255, 255, 1.0f, 1.0f)
                                      : MakeOutPoint(along, planePosition_, 0, 255, 255, 1.0f, 1.0f));
    }
    out.Begin(GlPrimitive::Triangles, kFogTexture);
    FanRun(PenUpFirst(std::move(line)), geo, scanners_.Register(geo.scannerX, geo.scannerY), false, out);
    out.End();
}
