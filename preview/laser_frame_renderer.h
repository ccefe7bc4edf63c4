#pragma once
// Turns one stream channel's frame into what an audience would see of one laser projector: the
// fan of light through the haze (pass 1), the bright beams where the beam dwells (pass 2), the
// graphics on the screen (pass 3) and the fixed beam effects of the frame's image entries
// (pass 4). The passes record vertex batches; the preview submits them to OpenGL.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "preview/channel_geometry.h"
#include "preview/fog_coordinates.h"
#include "preview/preview_geom.h"
#include "preview/render_batch.h"
#include "preview/scanner_position_list.h"
#include "preview/segment_shapes.h"
#include "show/chan_out_pars.h"
#include "show/channel_frame_cache.h"
#include "show/frame_records.h"

class LBeamvistaPars;
class LFrame;

// A frame's output points rendered with the settings (LFrame::Render), with the render's
// statistics; valid until the next call.
using FramePointSource =
    std::function<std::span<const LFrameOutPoint>(const LFrameRenderSettings& settings, LFrameStats& stats)>;

// How the fog and beam passes (no scanner simulation) and the graphics pass render a frame.
LFrameRenderSettings FogPassRenderSettings(const LBeamvistaPars& pars);
LFrameRenderSettings GraphicsPassRenderSettings(const LBeamvistaPars& pars);

class LaserFrameRenderer
{
  public:
    static constexpr int32_t kPointCapacity = 0x20000;
    static constexpr int32_t kImageEntryCapacity = 1024;

    LaserFrameRenderer();

    // The scene of the frame about to be drawn; the parameters must outlive the drawing.
    void SetScene(const LBeamvistaPars& pars, const SceneView& view, const FogDrift& drift);
    const SceneView& View() const { return view_; }
    const LBeamvistaPars& Pars() const { return *pars_; }

    // All passes over one frame; a null table draws with the default table. Without a point
    // source the frame is rendered into the renderer's own buffer.
    void DrawLaserFrames(const LFrame& frame, const LChanOutParsTable* table, RenderBatchBuilder& out);
    void DrawLaserFrames(const LFrame& frame, const FramePointSource& points, const LChanOutParsTable* table,
                         RenderBatchBuilder& out);

    // The passes, fed with output points (or image entries).
    void DrawFogFan(std::span<const LFrameOutPoint> points, const LChanOutParsTable& table,
                    RenderBatchBuilder& out);
    void DrawBeams(std::span<const LFrameOutPoint> points, const LChanOutParsTable& table,
                   RenderBatchBuilder& out);
    // timeScale: what the frame renderer reports as the frame's average speed.
    void DrawGraphics(std::span<const LFrameOutPoint> points, float timeScale, const LChanOutParsTable& table,
                      RenderBatchBuilder& out);
    void DrawBeamTabs(std::span<const LFrameImageEntry> entries, const LChanOutParsTable& table,
                      RenderBatchBuilder& out);

    // The default record, pair and table and the geometry of that record under the current
    // parameters, which the test patterns draw with.
    void ResetChannelDefaults();
    const LChanOutParsTable& DefaultTable() const { return defaultTable_; }
    const LChanOutParsPair& DefaultPair() const { return defaultPair_; }
    const ChannelGeometry& DefaultGeometry() const { return defaultGeometry_; }

    // The test patterns, drawn with the default geometry: a yellow circle of radius 1, and a
    // cyan line swept across the plane that moves on by frameDelta (seconds) each frame.
    void DrawTestCircle(RenderBatchBuilder& out);
    void DrawTestPlane(float frameDelta, RenderBatchBuilder& out);
    // A glow spot at each scanner that lit something; empties the list when drawn.
    void DrawGlowMarks(RenderBatchBuilder& out);

    ScannerPositionList& ScannerPositions() { return scanners_; }
    const FogCoordinates& Fog() const { return fog_; }
    const LPreviewGeom& ShapeTable(int32_t kind) const { return kind == 2 ? shapesKind2_ : shapesKind1_; }

    // The longest frame duration drawn since the last reset, in seconds.
    float LongestFrameDuration() const { return longestFrameDuration_; }
    void ResetLongestFrameDuration() { longestFrameDuration_ = 0.0f; }

  private:
    // Each run of items with each enabled record of its cell whose geometry is finite and which
    // `draws` accepts: draw(run, record, geometry, record index).
    template <class Item, class Draws, class Draw>
    void ForEachDrawingRecord(std::span<const Item> items, const LChanOutParsTable& table, Draws draws,
                              Draw draw);
    void FanRun(std::span<const LFrameOutPoint> run, const ChannelGeometry& geo, int32_t scanner, bool quads,
                RenderBatchBuilder& out);
    void GraphicsRun(std::span<const LFrameOutPoint> run, const ChannelGeometry& geo, float timeScale,
                     RenderBatchBuilder& out);
    // How much brighter a point is drawn for its slowness, within the preview's limits.
    float SpeedFactor(float speed, float timeScale) const;
    // How the beam tabs of one frame are drawn.
    struct TabLook
    {
        bool enhanced = false;
        WideSegmentStyle style;
        const FogCoordinates* fog = nullptr;
    };
    void BeamTabRun(std::span<const LFrameImageEntry> run, const LChanOutPars& record,
                    const ChannelGeometry& geo, int32_t segmentLimit, const TabLook& look,
                    RenderBatchBuilder& out);

    const LBeamvistaPars* pars_ = nullptr;
    SceneView view_;
    FogCoordinates fog_;
    ScannerPositionList scanners_;
    LPreviewGeom shapesKind1_{1};
    LPreviewGeom shapesKind2_{2};
    LChanOutPars defaultRecord_;
    LChanOutParsPair defaultPair_;
    LChanOutParsTable defaultTable_;
    ChannelGeometry defaultGeometry_;
    // Scratch buffers, made on first use and kept.
    std::vector<LFrameOutPoint> points_;
    std::vector<LFrameImageEntry> entries_;
    float longestFrameDuration_ = 0.0f;
    float planePosition_ = 0.0f;
    bool planeVertical_ = true;
};

// The runs of consecutive items with the same channel and sub-channel bytes.
template <class Item, class Visit> void ForEachChannelRun(std::span<const Item> items, Visit visit)
{
    size_t start = 0;
    while (start < items.size()) {
        size_t end = start + 1;
        while (end < items.size() && items[end].channel == items[start].channel &&
               items[end].subChannel == items[start].subChannel)
            ++end;
        visit(items.subspan(start, end - start));
        start = end;
    }
}

template <class Item, class Draws, class Draw>
void LaserFrameRenderer::ForEachDrawingRecord(std::span<const Item> items, const LChanOutParsTable& table,
                                              Draws draws, Draw draw)
{
    ForEachChannelRun(items, [&](std::span<const Item> run) {
        const LChanOutParsPair& cell = table.Entry(run[0].channel, run[0].subChannel);
        for (int32_t index = 0; index < 2; ++index) {
            const LChanOutPars& record = cell.records[index];
            if (!record.enabled)
                continue;
            const ChannelGeometry geo = ComputeChannelGeometry(*pars_, view_, cell, record);
            if (geo.IsFinite() && draws(record, geo))
                draw(run, record, geo, index);
        }
    });
}
