#include "preview/beam_clusters.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

LFrameOutPoint Lit(int16_t x, int16_t y, uint8_t r, uint8_t g, uint8_t b)
{
    LFrameOutPoint pt;
    pt.x = x;
    pt.y = y;
    pt.blank = 0;
    pt.red = r;
    pt.green = g;
    pt.blue = b;
    pt.shutterRamp = pt.beamRamp = 1.0f;
    return pt;
}

std::vector<DwellingBeam> Find(const std::vector<LFrameOutPoint>& run, int32_t minimumCount)
{
    std::vector<DwellingBeam> beams;
    FindDwellingBeams(run, 0.0002f, minimumCount, [&](const DwellingBeam& beam) { beams.push_back(beam); });
    return beams;
}

TEST(BeamClusters, ADwellOfMoreThanTheRepeatIsOneBeamAtItsFirstPointInTheMeanColour)
{
    // Within 0.0002 (6.5 units) of the first point; the last point only lights the one before.
    std::vector<LFrameOutPoint> run;
    for (int i = 0; i < 8; ++i)
        run.push_back(Lit(int16_t(1000 + i % 3), 500, i % 2 ? 255 : 51, 0, 0));
    const std::vector<DwellingBeam> beams = Find(run, 5);
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_EQ(beams[0].pointIndex, 0);
    // Each of the 7 counted points sees the brighter of itself and its successor: all 1.0.
    EXPECT_FLOAT_EQ(beams[0].r, 1.0f);
    EXPECT_EQ(beams[0].g, 0.0f);
}

TEST(BeamClusters, CountsAtOrBelowTheRepeatAndMovingBeamsGiveNone)
{
    std::vector<LFrameOutPoint> dwell(6, Lit(0, 0, 10, 20, 30)); // 5 counted points
    EXPECT_TRUE(Find(dwell, 5).empty());
    EXPECT_EQ(Find(dwell, 4).size(), 1u);

    std::vector<LFrameOutPoint> moving;
    for (int i = 0; i < 50; ++i)
        moving.push_back(Lit(int16_t(i * 100), 0, 255, 255, 255));
    EXPECT_FALSE(Find(moving, 0).empty()); // every point is a cluster of one
    EXPECT_TRUE(Find(moving, 1).empty());
}

TEST(BeamClusters, ADistantPointClosesTheClusterAndDarkPointsJoinNone)
{
    std::vector<LFrameOutPoint> run(4, Lit(0, 0, 0, 0, 200));
    for (int i = 0; i < 4; ++i)
        run.push_back(Lit(20000, 0, 0, 200, 0));
    run.push_back(Lit(20000, 0, 0, 0, 0)); // dark: lights nothing
    run.push_back(Lit(20000, 0, 0, 0, 0));
    const std::vector<DwellingBeam> beams = Find(run, 2);
    ASSERT_EQ(beams.size(), 2u);
    EXPECT_EQ(beams[0].pointIndex, 0);
    EXPECT_GT(beams[0].b, 0.0f);
    EXPECT_EQ(beams[1].pointIndex, 4);
    EXPECT_GT(beams[1].g, 0.0f);
}

TEST(BeamClusters, AClosedShutterAheadLightsNothing)
{
    std::vector<LFrameOutPoint> run(10, Lit(0, 0, 255, 0, 0));
    for (LFrameOutPoint& pt : run)
        pt.shutterRamp = 0.0f;
    EXPECT_TRUE(Find(run, 0).empty());
}

} // namespace
