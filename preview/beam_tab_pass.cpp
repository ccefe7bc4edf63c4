#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/laser_colour.h"
#include "preview/texture_kind.h"

#include <limits>

namespace {
constexpr float kVisibleIntensity = 0.001f;
constexpr uint16_t kVertexMask = 0x00ff;
} // namespace

void LaserFrameRenderer::DrawBeamTabs(std::span<const LFrameImageEntry> entries,
                                      const LChanOutParsTable& table, RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    if (p.o_beam_tab_force == 0 || entries.empty())
        return;
    TabLook look;
    look.enhanced = p.o_enhanced_lines_beam != 0;
    if (look.enhanced) {
        look.style.widthStart = view_.pixelSize * p.o_line_width * (p.o_beam_profile ? p.p0x21015 : 1.0f);
        look.style.widthEnd = look.style.widthStart;
        look.style.profile = p.o_beam_profile != 0;
        if (!SegmentWidening(p.o_graphics_size_x, p.o_graphics_size_y, look.style))
            return;
    }
    look.fog = look.style.profile ? nullptr : &fog_;
    out.Begin(look.enhanced ? GlPrimitive::Quads : GlPrimitive::Lines,
              look.style.profile ? kBeamProfileTexture : kFogTexture);
    const LFrameImageEntry* firstRecordDrew = nullptr; // the run whose first record drew
    ForEachDrawingRecord(
        entries, table,
        [&](const LChanOutPars& record, const ChannelGeometry& geo) {
            return (record.beamTabOn || p.o_beam_tab_force == 1) && geo.tabIntensity > kVisibleIntensity;
        },
        [&](std::span<const LFrameImageEntry> run, const LChanOutPars& record, const ChannelGeometry& geo,
            int32_t index) {
            if (index == 0)
                firstRecordDrew = run.data();
            const bool firstSegmentOnly = index == 1 && firstRecordDrew == run.data();
            BeamTabRun(run, record, geo, firstSegmentOnly ? 1 : std::numeric_limits<int32_t>::max(), look,
                       out);
        });
    out.End();
}

void LaserFrameRenderer::BeamTabRun(std::span<const LFrameImageEntry> run, const LChanOutPars& record,
                                    const ChannelGeometry& geo, int32_t segmentLimit, const TabLook& look,
                                    RenderBatchBuilder& out)
{
    const int32_t scanner = scanners_.Register(geo.scannerX, geo.scannerY);
    const LPreviewGeom* shapes = record.beamTabKind == 0 ? nullptr : &ShapeTable(record.beamTabKind);
    for (const LFrameImageEntry& entry : run) {
        const RenderColour colour = LaserColour(entry.red, entry.green, entry.blue, geo.tabIntensity);
        auto draw = [&](float x0, float y0, float x1, float y1) {
            scanners_.Track(scanner, colour.r, colour.g, colour.b);
            const SegmentEnd a{x0, y0, 0.0f, colour};
            const SegmentEnd b{x1, y1, 0.0f, colour};
            if (look.enhanced)
                EmitWideSegment(out, a, b, look.style, look.fog);
            else
                EmitLineSegment(out, a, b, look.fog);
        };
        if (!shapes || entry.imageId < 0) {
            draw(geo.scannerX, geo.scannerY, float(entry.x) * kLaserCoordinateScale,
                 float(entry.y) * kLaserCoordinateScale);
            continue;
        }
        if (entry.imageId >= shapes->PolylineCount())
            continue;
        const std::span<const uint16_t> items = shapes->Polyline(entry.imageId);
        if ((items[0] & kVertexMask) == 0)
            continue;
        float fromX = geo.scannerX, fromY = geo.scannerY;
        int32_t drawn = 0;
        for (size_t k = 1; k < items.size() && items[k] != 0 && drawn < segmentLimit; ++k) {
            const int32_t vertex = items[k] & kVertexMask;
            if (vertex == 0 || vertex >= shapes->VertexCount())
                continue;
            const float toX = shapes->Vertex(vertex).x * view_.halfWidth;
            const float toY = shapes->Vertex(vertex).y * view_.halfHeight;
            draw(fromX, fromY, toX, toY);
            ++drawn;
            fromX = toX;
            fromY = toY;
        }
    }
}
