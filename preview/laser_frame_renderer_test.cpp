#include "preview/laser_frame_renderer.h"
#include "preview/out_point.h"

#include "params/beamvista_pars.h"
#include "preview/texture_kind.h"
#include "show/frame.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

LFrameOutPoint Point(float x, float y, uint8_t r, uint8_t g, uint8_t b, float shutter = 1.0f,
                     float beam = 1.0f)
{
    return MakeOutPoint(x, y, r, g, b, shutter, beam);
}

LFrameOutPoint Dark(float x, float y)
{
    return Point(x, y, 0, 0, 0, 0.0f, 0.0f);
}

float Distance(const RenderVertex& a, const RenderVertex& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// One channel on a 640 x 360 view, plain lines, no speed-dependent brightness.
class PassTest : public testing::Test
{
  protected:
    PassTest()
    {
        pars_.o_simulate = 0;
        pars_.o_enhanced_lines = 0;
        for (LChanOutParsPair& cell : table_.entries)
            cell.records[0].scannerPositionX = cell.records[0].scannerPositionY = 0.0f;
        Scene();
    }
    void Scene() { renderer_.SetScene(pars_, view_, FogDrift{}); }
    LChanOutPars& Record() { return table_.entries[0].records[0]; }
    ChannelGeometry Geometry() { return ComputeChannelGeometry(pars_, view_, table_.entries[0], Record()); }
    // A white segment across the middle, from a dark start.
    std::vector<RenderVertex> DrawSegment()
    {
        Scene();
        out_.Clear();
        const std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.0f), Point(0.5f, 0.0f, 255, 255, 255)};
        renderer_.DrawGraphics(points, 1.0f, table_, out_);
        return Vertices();
    }
    std::vector<RenderVertex> Vertices()
    {
        std::vector<RenderVertex> all;
        for (const RenderBatch& batch : out_.Batches())
            all.insert(all.end(), batch.vertices.begin(), batch.vertices.end());
        return all;
    }

    LBeamvistaPars pars_;
    SceneView view_{1.0f, 0.5625f, 2.0f / 640.0f};
    LChanOutParsTable table_;
    LaserFrameRenderer renderer_;
    RenderBatchBuilder out_;
};

using GraphicsPass = PassTest;

TEST_F(GraphicsPass, ColourIsCombinedThenNormalisedByItsLargestComponent)
{
    struct Case
    {
        float record, parameter;
        float r, g;
    };
    const Case cases[] = {{0.5f, 2.0f, 1.0f, 0.5f}, {0.5f, 0.5f, 50.0f / 255.0f, 25.0f / 255.0f}};
    for (const Case& c : cases) {
        Record().graphicsIntensity = c.record;
        pars_.o_graphics_intensity = c.parameter;
        Scene();
        out_.Clear();
        const std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.0f), Point(0.5f, 0.0f, 200, 100, 0)};
        renderer_.DrawGraphics(points, 1.0f, table_, out_);
        const std::vector<RenderVertex> v = Vertices();
        ASSERT_EQ(v.size(), 2u);
        for (const RenderVertex& vertex : v) {
            EXPECT_FLOAT_EQ(vertex.r, c.r);
            EXPECT_FLOAT_EQ(vertex.g, c.g);
            EXPECT_EQ(vertex.b, 0.0f);
        }
    }
}

TEST_F(GraphicsPass, SegmentsLieOnTheGraphicsPlaneWithTheRampsAtTheirEnds)
{
    const std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.25f),
                                                Point(0.5f, -0.25f, 255, 0, 0, 0.25f, 1.0f)};
    renderer_.DrawGraphics(points, 1.0f, table_, out_);
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].primitive, GlPrimitive::Lines);
    EXPECT_EQ(out_.Batches()[0].textureKind, kNoTexture);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 2u);
    const ChannelGeometry geo = Geometry();
    const float step = 1.0f / 65536.0f; // the points' rounding to 16 bits
    EXPECT_NEAR(v[0].x, geo.PlaneX(-0.5f), step);
    EXPECT_NEAR(v[1].y, geo.PlaneY(-0.25f), step);
    EXPECT_EQ(v[0].z, geo.depth);
    EXPECT_FLOAT_EQ(v[0].r, 0.25f * 0.7f);
    EXPECT_FLOAT_EQ(v[1].r, 0.7f);
}

TEST_F(PassTest, ForcesAndChannelSwitchesDecideWhichRecordsDraw)
{
    struct Pass
    {
        const char* name;
        int32_t LBeamvistaPars::*force;
        bool LChanOutPars::*channelSwitch;
    };
    const Pass passes[] = {{"graphics", &LBeamvistaPars::o_graphics_force, &LChanOutPars::graphicsOn},
                           {"fog", &LBeamvistaPars::o_fog_force, &LChanOutPars::fogOn}};
    const std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.0f), Point(0.5f, 0.0f, 255, 255, 255)};
    for (const Pass& pass : passes) {
        for (int32_t force : {0, 1, 2}) {
            for (bool on : {false, true}) {
                pars_.*pass.force = force;
                Record().*pass.channelSwitch = on;
                Scene();
                out_.Clear();
                if (pass.force == &LBeamvistaPars::o_graphics_force)
                    renderer_.DrawGraphics(points, 1.0f, table_, out_);
                else
                    renderer_.DrawFogFan(points, table_, out_);
                EXPECT_EQ(!Vertices().empty(), force == 1 || (force == 2 && on))
                    << pass.name << " force " << force << " switch " << on;
            }
        }
    }
}

TEST_F(GraphicsPass, IntensitiesAtOrBelowAThousandthSuppressTheRecord)
{
    for (const auto& [intensity, draws] : {std::pair{0.001f, false}, {0.0011f, true}}) {
        Record().graphicsIntensity = intensity;
        EXPECT_EQ(!DrawSegment().empty(), draws) << intensity;
    }
}

TEST_F(GraphicsPass, PointsOutsideTheTableUseItsFirstCellAndBothRecordsDraw)
{
    for (LChanOutParsPair& cell : table_.entries)
        cell.records[0].enabled = false;
    table_.entries[0].records[0].enabled = true;
    table_.entries[0].records[1] = table_.entries[0].records[0];
    std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.0f), Point(0.5f, 0.0f, 255, 255, 255)};
    for (LFrameOutPoint& pt : points) {
        pt.channel = 7;
        pt.subChannel = 20;
    }
    renderer_.DrawGraphics(points, 1.0f, table_, out_);
    EXPECT_EQ(Vertices().size(), 4u);

    out_.Clear();
    for (LFrameOutPoint& pt : points) {
        pt.channel = 1;
        pt.subChannel = 0;
    }
    renderer_.DrawGraphics(points, 1.0f, table_, out_);
    EXPECT_TRUE(Vertices().empty());
}

TEST_F(GraphicsPass, ABlankedJumpStaysDarkAndEachDwellBecomesADot)
{
    const std::vector<LFrameOutPoint> points = {Dark(-0.5f, 0.0f), Point(-0.5f, 0.0f, 255, 255, 255),
                                                Dark(0.5f, 0.0f), Point(0.5f, 0.0f, 255, 255, 255)};
    renderer_.DrawGraphics(points, 1.0f, table_, out_);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 4u);
    const ChannelGeometry geo = Geometry();
    const float dot = view_.pixelSize * (1.0f - geo.depth) * pars_.o_line_width; // on the plane
    for (size_t i = 0; i < v.size(); i += 2) {
        EXPECT_NEAR(Distance(v[i], v[i + 1]), dot, 1e-6);
        EXPECT_NEAR((v[i].x + v[i + 1].x) * 0.5f, geo.PlaneX(i == 0 ? -0.5f : 0.5f), 1e-4);
    }
}

TEST_F(GraphicsPass, ADotGivesWayToSegmentsOnceThePointsLeaveIt)
{
    std::vector<LFrameOutPoint> points = {Dark(0.0f, 0.0f)};
    for (int i = 1; i <= 4; ++i)
        points.push_back(Point(0.1f * float(i), 0.0f, 255, 0, 0));
    renderer_.DrawGraphics(points, 1.0f, table_, out_);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 8u);
    const ChannelGeometry geo = Geometry();
    EXPECT_NEAR(Distance(v[6], v[7]), 0.1f * geo.scaleX, 1e-4);
}

TEST_F(GraphicsPass, SlowPointsAreBrightenedWithinTheLimits)
{
    pars_.o_simulate = 1;
    pars_.o_sim_intensity = 1;
    Scene();
    struct Case
    {
        float speed, scale, factor;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {{0.0f, 0.0f, 4.0f}, {nan, 1.0f, 4.0f},  {0.0f, 1.0f, 4.0f},
                          {1.0f, 2.0f, 2.0f}, {1.0f, 1.0f, 1.0f}, {100.0f, 1.0f, 0.5f}};
    for (const Case& c : cases) {
        out_.Clear();
        std::vector<LFrameOutPoint> points = {Point(-0.5f, 0.0f, 51, 0, 0, 0.0f, 0.0f),
                                              Point(0.5f, 0.0f, 51, 0, 0)};
        points[0].red = 0;
        for (LFrameOutPoint& pt : points)
            pt.speed = c.speed;
        renderer_.DrawGraphics(points, c.scale, table_, out_);
        const std::vector<RenderVertex> v = Vertices();
        ASSERT_EQ(v.size(), 2u);
        EXPECT_FLOAT_EQ(v[1].r, 0.2f * 0.7f * c.factor) << c.speed << " / " << c.scale;
        EXPECT_FLOAT_EQ(v[0].r, 0.2f * 0.7f * c.factor) << "the previous point's factor";
    }
}

TEST_F(GraphicsPass, EnhancedLinesAreQuadsOfTheLineWidthDrawnRepeatedly)
{
    pars_.o_enhanced_lines = 1;
    pars_.o_beam_profile = 0;
    pars_.o_line_width = 3.0f;
    pars_.p0x10010 = 2;
    const std::vector<RenderVertex> v = DrawSegment();
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].primitive, GlPrimitive::Quads);
    ASSERT_EQ(v.size(), 8u);
    const ChannelGeometry geo = Geometry();
    // Three pixels wide as seen from the eye.
    EXPECT_NEAR(Distance(v[0], v[1]) / (1.0f - geo.depth), 3.0f * view_.pixelSize, 1e-6);
    EXPECT_FLOAT_EQ(v[0].r, 0.7f / 2.0f);
}

TEST_F(GraphicsPass, TheBeamProfileGivesTextureAcrossAndCapsAtTheEnds)
{
    pars_.o_enhanced_lines = 1;
    pars_.o_beam_profile = 1;
    pars_.p0x21080 = 1;
    pars_.p0x21090 = 1;
    const std::vector<RenderVertex> v = DrawSegment();
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].textureKind, kBeamProfileTexture);
    ASSERT_EQ(v.size(), 12u);
    EXPECT_EQ(v[0].s, 0.0f);  // start cap's outer edge
    EXPECT_EQ(v[2].s, 0.25f); // at the start
    EXPECT_EQ(v[4].s, 0.5f);  // along the axis
    EXPECT_EQ(v[4].t, 1.0f);
    EXPECT_EQ(v[5].t, 0.0f);
    EXPECT_EQ(v[11].s, 1.0f); // end cap's outer edge
    EXPECT_LT(v[0].x, v[4].x);
    EXPECT_GT(v[11].x, v[7].x);
}

TEST_F(GraphicsPass, UndefinedSizeRatioDrawsNoEnhancedLines)
{
    pars_.o_enhanced_lines = 1;
    pars_.o_graphics_size_x = pars_.o_graphics_size_y = 0.0f;
    EXPECT_TRUE(DrawSegment().empty());
}

using FogFanPass = PassTest;

TEST_F(FogFanPass, EachLitPointAddsATriangleFromTheScannerToTheScreen)
{
    pars_.o_fog_force = 1;
    Scene();
    const std::vector<LFrameOutPoint> points = {Point(1.0f, 0.0f, 0, 255, 0), Point(0.0f, 1.0f, 0, 255, 0)};
    renderer_.DrawFogFan(points, table_, out_);
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].primitive, GlPrimitive::Triangles);
    EXPECT_EQ(out_.Batches()[0].textureKind, kFogTexture);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 6u);
    const ChannelGeometry geo = Geometry();
    EXPECT_EQ(v[0].z, 0.0f);
    EXPECT_EQ(v[0].x, geo.scannerX);
    EXPECT_EQ(v[1].z, 1.0f);
    EXPECT_EQ(v[1].x, geo.screenOffsetX); // from the origin, where every record starts
    EXPECT_NEAR(v[5].y, geo.ScreenY(1.0f), 1e-4);
    EXPECT_FLOAT_EQ(v[0].g, geo.fogIntensity);
    EXPECT_FLOAT_EQ(v[1].g, geo.fogMinIntensity);
    // The scanner registered with the fan's brightest colour.
    ASSERT_EQ(renderer_.ScannerPositions().Count(), 1);
    EXPECT_FLOAT_EQ(renderer_.ScannerPositions()[0].maxGreen, geo.fogIntensity);
}

TEST_F(FogFanPass, QuadsAndSubdivisionsFollowTheSwitches)
{
    pars_.o_fog_force = 1;
    pars_.p0x10300 = 1;
    Scene();
    const std::vector<LFrameOutPoint> points = {Point(1.0f, 0.0f, 255, 0, 0, 0.25f, 1.0f)};
    renderer_.DrawFogFan(points, table_, out_);
    std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 4u);
    const ChannelGeometry geo = Geometry();
    EXPECT_FLOAT_EQ(v[0].r, 0.25f * geo.fogIntensity);
    EXPECT_FLOAT_EQ(v[1].r, geo.fogIntensity);
    EXPECT_EQ(v[0].z + v[1].z, 0.0f);

    pars_.p0x10300 = 0;
    pars_.p0x10310 = 4;
    Scene();
    out_.Clear();
    renderer_.DrawFogFan(points, table_, out_);
    v = Vertices();
    ASSERT_EQ(v.size(), 12u);
    EXPECT_FLOAT_EQ(v[1].r, 0.25f * geo.fogMinIntensity);
    EXPECT_FLOAT_EQ(v[2].r, 0.4375f * geo.fogMinIntensity);
    EXPECT_NEAR(v[11].x, geo.ScreenX(1.0f), 1e-4);
}

TEST_F(FogFanPass, FogTextureCoordinatesFollowTheDrift)
{
    pars_.o_fog_force = 1;
    pars_.o_fog_rot = 0.0f;
    renderer_.SetScene(pars_, view_, FogDrift{0.25f, 0.5f, 0.75f});
    const std::vector<LFrameOutPoint> points = {Point(1.0f, 0.0f, 255, 0, 0)};
    renderer_.DrawFogFan(points, table_, out_);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 3u);
    // The scanner vertex: depth 0 at the origin gives the offsets themselves.
    EXPECT_FLOAT_EQ(v[0].s, 0.25f);
    EXPECT_FLOAT_EQ(v[0].t, 0.5f);
    EXPECT_FLOAT_EQ(v[0].p, 0.75f);
    // A screen vertex: depth 1 along the depth direction (2, 0, 0), x across.
    EXPECT_FLOAT_EQ(v[2].s, 2.0f + 0.25f);
    EXPECT_NEAR(v[2].p, v[2].x + 0.75f, 1e-6);
}

TEST_F(FogFanPass, ARecordWithNonFiniteValuesDrawsNothingAndRegistersNoScanner)
{
    pars_.o_fog_force = 1;
    Scene();
    Record().scannerPositionX = std::numeric_limits<float>::quiet_NaN();
    const std::vector<LFrameOutPoint> points = {Point(1.0f, 0.0f, 255, 0, 0)};
    renderer_.DrawFogFan(points, table_, out_);
    renderer_.DrawBeams(points, table_, out_);
    EXPECT_TRUE(Vertices().empty());
    EXPECT_EQ(renderer_.ScannerPositions().Count(), 0);
}

using BeamPass = PassTest;

TEST_F(BeamPass, ADwellIsOneBeamFromTheScannerToItsScreenPoint)
{
    pars_.o_fog_force = 1;
    pars_.o_beam_detect_force = 1;
    Scene();
    std::vector<LFrameOutPoint> points(8, Point(0.5f, 0.25f, 255, 0, 0));
    renderer_.DrawBeams(points, table_, out_);
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].primitive, GlPrimitive::Lines);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 2u);
    const ChannelGeometry geo = Geometry();
    EXPECT_EQ(v[0].z, 0.0f);
    EXPECT_EQ(v[1].z, 1.0f);
    EXPECT_NEAR(v[1].x, geo.ScreenX(0.5f), 1e-4);
    EXPECT_FLOAT_EQ(v[0].r, std::min(1.0f, geo.beamIntensity));
    EXPECT_FLOAT_EQ(v[1].r, std::min(1.0f, geo.beamMinIntensity));

    out_.Clear();
    points.resize(6); // 5 counted points: not more than the repeat of 5
    renderer_.DrawBeams(points, table_, out_);
    EXPECT_TRUE(Vertices().empty());
}

TEST_F(BeamPass, NeedsFogAndBeamDetection)
{
    const std::vector<LFrameOutPoint> points(10, Point(0.5f, 0.25f, 255, 0, 0));
    for (const auto& [fog, detect] : {std::pair{0, 1}, {1, 0}, {2, 1}}) {
        pars_.o_fog_force = fog;
        pars_.o_beam_detect_force = detect;
        Scene();
        out_.Clear();
        renderer_.DrawBeams(points, table_, out_);
        EXPECT_TRUE(Vertices().empty()) << fog << " " << detect; // the record's fog is off
    }
}

using BeamTabPass = PassTest;

LFrameImageEntry Entry(int16_t shape, int16_t x = 0, int16_t y = 0)
{
    LFrameImageEntry entry;
    entry.red = 255;
    entry.imageId = shape;
    entry.x = x;
    entry.y = y;
    return entry;
}

TEST_F(BeamTabPass, ShapesAreWalkedFromTheScannerOverTheirVertices)
{
    pars_.o_beam_tab_force = 1;
    Scene();
    const ChannelGeometry geo = Geometry();
    struct Case
    {
        int32_t kind;
        int16_t shape;
        size_t segments;
    };
    const Case cases[] = {
        {2, 0, 1},   // straight up
        {2, 11, 8},  // the lower sweep
        {1, 11, 1},  // replaced by a single beam in the first kind
        {2, 16, 0},  // marked as drawing nothing
        {2, 100, 0}, // no such shape
        {2, -1, 1},  // no shape: to the entry's point
        {0, 11, 1},  // no table: to the entry's point
    };
    for (const Case& c : cases) {
        Record().beamTabKind = c.kind;
        out_.Clear();
        const std::vector<LFrameImageEntry> entries = {Entry(c.shape, 16384, -16384)};
        renderer_.DrawBeamTabs(entries, table_, out_);
        const std::vector<RenderVertex> v = Vertices();
        ASSERT_EQ(v.size(), 2 * c.segments) << c.kind << " " << c.shape;
        if (v.empty())
            continue;
        EXPECT_EQ(v[0].x, geo.scannerX);
        for (const RenderVertex& vertex : v)
            EXPECT_EQ(vertex.z, 0.0f);
        if (c.shape == 0) {
            EXPECT_FLOAT_EQ(v[1].y, 0.5f * view_.halfHeight);
        }
        if (c.shape < 0 || c.kind == 0) {
            EXPECT_FLOAT_EQ(v[1].y, -0.5f);
        }
        for (size_t k = 2; k < v.size(); k += 2)
            EXPECT_EQ(v[k].x, v[k - 1].x); // one walk
    }
}

TEST_F(BeamTabPass, TheSecondRecordDrawsOnlyTheFirstSegmentAfterTheFirst)
{
    pars_.o_beam_tab_force = 1;
    Scene();
    Record().beamTabKind = 2;
    table_.entries[0].records[1] = Record();
    const std::vector<LFrameImageEntry> entries = {Entry(11)};
    renderer_.DrawBeamTabs(entries, table_, out_);
    EXPECT_EQ(Vertices().size(), 2u * (8 + 1));

    out_.Clear();
    Record().beamTabIntensity = 0.0f; // the first fails its checks: the second draws all
    renderer_.DrawBeamTabs(entries, table_, out_);
    EXPECT_EQ(Vertices().size(), 2u * 8);
}

using ScenePatterns = PassTest;

TEST_F(ScenePatterns, GlowMarksAppearAtLitScannersAndEmptyTheList)
{
    pars_.o_fog_force = 1;
    Scene();
    const std::vector<LFrameOutPoint> points = {Point(1.0f, 0.0f, 255, 0, 0)};
    renderer_.DrawFogFan(points, table_, out_);
    out_.Clear();

    pars_.p0x9003 = 0;
    renderer_.DrawGlowMarks(out_);
    EXPECT_TRUE(out_.Batches().empty());
    EXPECT_EQ(renderer_.ScannerPositions().Count(), 1);

    pars_.p0x9003 = 1;
    renderer_.DrawGlowMarks(out_);
    ASSERT_EQ(out_.Batches().size(), 1u);
    EXPECT_EQ(out_.Batches()[0].textureKind, kGlowTexture);
    const std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 12u);
    const float half = view_.pixelSize * pars_.p0x2003;
    const ChannelGeometry geo = Geometry();
    EXPECT_FLOAT_EQ(v[0].x, geo.scannerX - half);
    EXPECT_FLOAT_EQ(v[2].y, geo.scannerY + half);
    // Each component raised to half the largest.
    EXPECT_FLOAT_EQ(v[0].g, v[0].r * 0.5f);
    EXPECT_EQ(renderer_.ScannerPositions().Count(), 0);
}

TEST_F(ScenePatterns, TheTestCircleIsAYellowRingOfRadiusOneInTheDefaultGeometry)
{
    renderer_.ResetChannelDefaults();
    renderer_.DrawTestCircle(out_);
    ASSERT_EQ(out_.Batches().size(), 2u);
    EXPECT_EQ(out_.Batches()[0].vertices.size(), 3u * 380);
    const RenderBatch& ring = out_.Batches()[1];
    ASSERT_EQ(ring.vertices.size(), 2u * 380);
    const ChannelGeometry& geo = renderer_.DefaultGeometry();
    for (const RenderVertex& v : ring.vertices) {
        EXPECT_NEAR(std::hypot((v.x - geo.offsetX) / geo.scaleX, (v.y - geo.offsetY) / geo.scaleY), 1.0f,
                    1e-4);
        EXPECT_EQ(v.b, 0.0f);
        EXPECT_EQ(v.r, v.g);
    }
}

TEST_F(ScenePatterns, TheTestPlaneSweepsAndTurnsAtTheEdge)
{
    renderer_.ResetChannelDefaults();
    auto lineX = [&]() {
        out_.Clear();
        return Vertices();
    };
    lineX();
    renderer_.DrawTestPlane(50.0f, out_); // v = 0.5
    std::vector<RenderVertex> v = Vertices();
    ASSERT_EQ(v.size(), 3u * 100);
    const ChannelGeometry& geo = renderer_.DefaultGeometry();
    EXPECT_NEAR(v[2].x, geo.ScreenX(0.5f), 1e-4); // a vertical line
    EXPECT_NEAR(v[299].x, geo.ScreenX(0.5f), 1e-4);
    lineX();
    renderer_.DrawTestPlane(60.0f, out_); // past 1: restarts at -1, horizontal
    v = Vertices();
    ASSERT_EQ(v.size(), 3u * 100);
    EXPECT_NEAR(v[2].y, geo.ScreenY(-1.0f), 1e-4);
    EXPECT_NEAR(v[299].y, geo.ScreenY(-1.0f), 1e-4);
}

TEST_F(PassTest, AnEmptyFrameDrawsNothing)
{
    const LFrame empty{};
    renderer_.DrawLaserFrames(empty, nullptr, out_);
    EXPECT_TRUE(out_.Batches().empty());
    EXPECT_EQ(renderer_.ScannerPositions().Count(), 0);
}

} // namespace
