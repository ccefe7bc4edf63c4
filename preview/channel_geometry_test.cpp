#include "preview/channel_geometry.h"

#include "params/beamvista_pars.h"
#include "show/chan_out_pars.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

SceneView ViewOf(int width, int height)
{
    const float w = width >= height ? 1.0f : float(width) / float(height);
    const float h = width >= height ? float(height) / float(width) : 1.0f;
    return {w, h, w * 2.0f / float(width)};
}

// Where a point of the graphics plane appears on the view plane (depth 0): the eye sits one
// unit before the scanner, so depth D is seen at distance 1 - D.
float Projected(float planeCoordinate, float depth)
{
    return planeCoordinate / (1.0f - depth);
}

TEST(ChannelGeometry, DefaultGraphicsFillTheShorterSideOfEitherOrientation)
{
    for (const auto& [width, height] : {std::pair{640, 360}, {360, 640}, {500, 500}}) {
        const SceneView view = ViewOf(width, height);
        const LBeamvistaPars pars;
        const LChanOutParsPair cell(true);
        const ChannelGeometry geo = ComputeChannelGeometry(pars, view, cell, cell.records[0]);
        const float shorter = std::min(view.halfWidth, view.halfHeight);
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        EXPECT_NEAR(Projected(geo.PlaneX(1.0f), geo.depth), shorter, 1e-6);
        EXPECT_NEAR(Projected(geo.PlaneY(-1.0f), geo.depth), -shorter, 1e-6);
        EXPECT_NEAR(Projected(geo.PlaneX(0.0f), geo.depth), 0.0f, 1e-6);
    }
}

TEST(ChannelGeometry, ScreenPointLiesOnTheRayFromTheScannerThroughThePlanePoint)
{
    LBeamvistaPars pars;
    pars.o_graphics_pos_x = 0.3f;
    pars.o_scanner_pos_y = -0.2f;
    LChanOutParsPair cell(true);
    cell.records[0].scannerPositionX = 0.4f;
    cell.records[0].positionY = 0.25f;
    const ChannelGeometry geo = ComputeChannelGeometry(pars, ViewOf(640, 480), cell, cell.records[0]);
    for (const float x : {-0.7f, 0.0f, 0.9f}) {
        // The plane point is the screen point's share D of the way from the scanner.
        const float screen = geo.ScreenX(x);
        EXPECT_NEAR(geo.scannerX + (screen - geo.scannerX) * geo.depth, geo.PlaneX(x), 1e-5);
        const float screenY = geo.ScreenY(x);
        EXPECT_NEAR(geo.scannerY + (screenY - geo.scannerY) * geo.depth, geo.PlaneY(x), 1e-5);
    }
}

TEST(ChannelGeometry, FlatPlaneCollapsesTheScreenMappingOntoTheScanner)
{
    LBeamvistaPars pars;
    pars.o_graphics_size_x = pars.o_graphics_size_y = 0.0f;
    LChanOutParsPair cell(true);
    cell.records[0].positionX = 0.5f;
    const ChannelGeometry geo = ComputeChannelGeometry(pars, ViewOf(640, 360), cell, cell.records[0]);
    ASSERT_TRUE(geo.IsFinite()); // the size divides nothing
    EXPECT_EQ(geo.depth, 0.0f);
    EXPECT_EQ(geo.screenScaleX, 0.0f);
    EXPECT_EQ(geo.screenScaleY, 0.0f);
    EXPECT_EQ(geo.screenOffsetX, geo.scannerX);
    EXPECT_EQ(geo.screenOffsetY, geo.scannerY);
}

TEST(ChannelGeometry, RecordSizeZeroKeepsThePositionFinite)
{
    const LBeamvistaPars pars;
    LChanOutParsPair cell(true);
    cell.records[0].sizeX = 0.0f;
    cell.records[0].positionX = 0.5f;
    cell.records[0].scannerPositionX = 0.5f;
    const ChannelGeometry geo = ComputeChannelGeometry(pars, ViewOf(640, 360), cell, cell.records[0]);
    ASSERT_TRUE(geo.IsFinite());
    EXPECT_EQ(geo.scaleX, 0.0f);
    // Half the plane's width to the right, as with any other size.
    const ChannelGeometry unit = ComputeChannelGeometry(pars, ViewOf(640, 360), LChanOutParsPair(true),
                                                        LChanOutParsPair(true).records[0]);
    EXPECT_NEAR(geo.offsetX, unit.scaleX * 0.5f * (1.0f - geo.depth) / (1.0f - unit.depth), 1e-6);
}

TEST(ChannelGeometry, NonFiniteTableValuesMakeTheRecordUndrawable)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const LBeamvistaPars pars;
    struct Case
    {
        const char* name;
        void (*spoil)(LChanOutParsPair&, float);
        float value;
    };
    const Case cases[] = {
        {"size", [](LChanOutParsPair& c, float v) { c.records[0].sizeX = v; }, nan},
        {"huge size", [](LChanOutParsPair& c, float v) { c.records[0].sizeY = c.records[0].sizeX = v; }, inf},
        {"rectangle", [](LChanOutParsPair& c, float v) { c.yMax = v; }, nan},
        {"intensity", [](LChanOutParsPair& c, float v) { c.records[0].fogIntensity = v; }, nan},
        {"scanner", [](LChanOutParsPair& c, float v) { c.records[0].scannerPositionY = v; }, -inf},
    };
    for (const Case& c : cases) {
        LChanOutParsPair cell(true);
        c.spoil(cell, c.value);
        EXPECT_FALSE(ComputeChannelGeometry(pars, ViewOf(640, 360), cell, cell.records[0]).IsFinite())
            << c.name;
    }
}

TEST(ChannelGeometry, IntensitiesCombineAboveOneByAddingAndBelowByScaling)
{
    EXPECT_FLOAT_EQ(CombineIntensity(0.5f, 2.0f), 1.5f);
    EXPECT_FLOAT_EQ(CombineIntensity(0.5f, 0.5f), 0.25f);
    EXPECT_FLOAT_EQ(CombineIntensity(0.7f, 1.0f), 0.7f);
    EXPECT_FLOAT_EQ(CombineIntensity(0.7f, 0.0f), 0.0f);
}

TEST(ChannelGeometry, BeamRepeatSaturatesInsteadOfWrapping)
{
    LBeamvistaPars pars;
    pars.o_beam_detect_repeat = 100;
    LChanOutParsPair cell(true);
    cell.records[0].beamDetectRepeat = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(ComputeChannelGeometry(pars, ViewOf(64, 64), cell, cell.records[0]).beamRepeat,
              std::numeric_limits<int32_t>::max());
}

} // namespace
