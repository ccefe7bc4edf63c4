#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/beam_clusters.h"
#include "preview/laser_colour.h"
#include "preview/segment_shapes.h"
#include "preview/texture_kind.h"

namespace {
constexpr float kVisibleIntensity = 0.001f;
constexpr float kFarEndWidthShare = 0.1f;
} // namespace

void LaserFrameRenderer::DrawBeams(std::span<const LFrameOutPoint> points, const LChanOutParsTable& table,
                                   RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    if (p.o_fog_force == 0 || p.o_beam_detect_force == 0)
        return;
    const bool enhanced = p.o_enhanced_lines_beam != 0;
    const bool profile = enhanced && p.o_beam_profile != 0;
    const bool fogTextured = p.p0x91260 != 0;
    out.Begin(enhanced ? GlPrimitive::Quads : GlPrimitive::Lines,
              profile ? kBeamProfileTexture : (fogTextured ? kFogTexture : kNoTexture));
    const FogCoordinates* fog = fogTextured && !profile ? &fog_ : nullptr;

    WideSegmentStyle style;
    style.widthStart = view_.pixelSize * p.o_line_width * (p.o_beam_profile ? p.p0x21015 : 1.0f);
    style.widthEnd = style.widthStart * kFarEndWidthShare;
    style.profile = profile;
    style.startCap = p.p0x21080 != 0;

    ForEachDrawingRecord(
        points, table,
        [&](const LChanOutPars& record, const ChannelGeometry& geo) {
            return (record.fogOn || p.o_fog_force == 1) &&
                   (record.beamDetectOn || p.o_beam_detect_force == 1) &&
                   geo.beamIntensity > kVisibleIntensity;
        },
        [&](std::span<const LFrameOutPoint> run, const LChanOutPars&, const ChannelGeometry& geo, int32_t) {
            scanners_.Register(geo.scannerX, geo.scannerY);
            FindDwellingBeams(run, p.p0x91250, geo.beamRepeat, [&](const DwellingBeam& beam) {
                const LFrameOutPoint& at = run[size_t(beam.pointIndex)];
                const SegmentEnd from{geo.scannerX, geo.scannerY, 0.0f,
                                      NormalisedColour(beam.r, beam.g, beam.b, geo.beamIntensity)};
                const SegmentEnd to{geo.ScreenX(float(at.x) * kLaserCoordinateScale),
                                    geo.ScreenY(float(at.y) * kLaserCoordinateScale), 1.0f,
                                    NormalisedColour(beam.r, beam.g, beam.b, geo.beamMinIntensity)};
                if (enhanced)
                    EmitWideSegment(out, from, to, style, fog);
                else
                    EmitLineSegment(out, from, to, fog);
            });
        });
    out.End();
}
