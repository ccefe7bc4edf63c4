#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/laser_colour.h"
#include "preview/texture_kind.h"

#include <algorithm>

namespace {
constexpr float kVisibleIntensity = 0.001f;
constexpr int32_t kMaxSubdivisions = 16;

struct FanPoint
{
    float x, y; // output coordinates
    float ramp;
};
} // namespace

void LaserFrameRenderer::DrawFogFan(std::span<const LFrameOutPoint> points, const LChanOutParsTable& table,
                                    RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    if (p.o_fog_force == 0)
        return;
    out.Begin(p.p0x10300 ? GlPrimitive::Quads : GlPrimitive::Triangles, kFogTexture);
    ForEachDrawingRecord(
        points, table,
        [&](const LChanOutPars& record, const ChannelGeometry& geo) {
            return (record.fogOn || p.o_fog_force == 1) && geo.fogIntensity > kVisibleIntensity;
        },
        [&](std::span<const LFrameOutPoint> run, const LChanOutPars&, const ChannelGeometry& geo, int32_t) {
            FanRun(run, geo, scanners_.Register(geo.scannerX, geo.scannerY), p.p0x10300 != 0, out);
        });
    out.End();
}

void LaserFrameRenderer::FanRun(std::span<const LFrameOutPoint> run, const ChannelGeometry& geo,
                                int32_t scanner, bool quads, RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    const int32_t subdivisions = std::clamp<int32_t>(p.p0x10310, 1, kMaxSubdivisions);
    auto put = [&](float x, float y, float z, const RenderColour& colour) {
        scanners_.Track(scanner, colour.r, colour.g, colour.b);
        out.Colour(colour);
        const FogTexCoord tc = fog_.At(x, y, z);
        out.TexCoord(tc.s, tc.t, tc.p);
        out.Vertex(x, y, z);
    };
    auto scannerVertex = [&](const LFrameOutPoint& pt, float ramp) {
        put(geo.scannerX, geo.scannerY, 0.0f,
            LaserColour(pt.red, pt.green, pt.blue, ramp * geo.fogIntensity));
    };
    auto screenVertex = [&](const LFrameOutPoint& pt, const FanPoint& at) {
        put(geo.ScreenX(at.x), geo.ScreenY(at.y), 1.0f,
            LaserColour(pt.red, pt.green, pt.blue, at.ramp * geo.fogMinIntensity));
    };

    float prevX = 0.0f, prevY = 0.0f;
    for (const LFrameOutPoint& pt : run) {
        const float x = float(pt.x) * kLaserCoordinateScale;
        const float y = float(pt.y) * kLaserCoordinateScale;
        const float shutter = pt.shutterRamp;
        const float beam = pt.beamRamp;
        if (!IsBlack(pt.red, pt.green, pt.blue) && (shutter > 0.0f || beam > 0.0f)) {
            if (quads) {
                scannerVertex(pt, shutter);
                scannerVertex(pt, beam);
                screenVertex(pt, {prevX, prevY, shutter});
                screenVertex(pt, {x, y, beam});
            } else if (shutter != beam && subdivisions > 1) {
                for (int32_t part = 0; part < subdivisions; ++part) {
                    const float f0 = float(part) / float(subdivisions);
                    const float f1 = float(part + 1) / float(subdivisions);
                    const FanPoint from{prevX + (x - prevX) * f0, prevY + (y - prevY) * f0,
                                        shutter + (beam - shutter) * f0};
                    const FanPoint to{prevX + (x - prevX) * f1, prevY + (y - prevY) * f1,
                                      shutter + (beam - shutter) * f1};
                    scannerVertex(pt, std::max(from.ramp, to.ramp));
                    screenVertex(pt, from);
                    screenVertex(pt, to);
                }
            } else {
                scannerVertex(pt, std::max(shutter, beam));
                screenVertex(pt, {prevX, prevY, shutter});
                screenVertex(pt, {x, y, beam});
            }
        }
        prevX = x;
        prevY = y;
    }
}
