#include "preview/point_frame.h"

#include "params/beamvista_pars.h"
#include "show/chan_out_pars.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(PointFrameTest, ASequenceItemIsHeldForItsPointsAtTheScanRateAtMostOneSecond)
{
    struct Case
    {
        float rate;   // thousands of points a second
        float factor; // the hold factor
        int32_t points;
        int32_t holdCs;
    };
    const Case cases[] = {
        {30, 1, 300, 1},
        {30, 1, 0, 0},
        {30, 1, -5, 0},
        {30, 1, 29999, 99}, // truncated, not rounded
        {30, 1, 30000, 100},
        {30, 1, 3000000, 100}, // at most a second
        {30, 10, 30000, 10},
        {30, 0.01f, 300, 100},
        {0.5f, 1, 500, 50}, // never slower than 1,000 points a second
        {0, 1, 1000, 100},
        {30, 0, 1, 100}, // a zero factor holds for the longest time, not for ever
        {30, std::numeric_limits<float>::quiet_NaN(), 1, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rate << " k/s, factor " << c.factor << ", " << c.points << " points");
        LBeamvistaPars pars;
        pars.p0x11100 = c.rate;
        pars.p0x11110 = c.factor;
        EXPECT_EQ(SequenceItemHoldCs(pars, c.points), c.holdCs);
    }
}

TEST(PointFrameTest, SequenceItemsFillThePlaneWithThePreviewsBuilderParameters)
{
    LBeamvistaPars pars;
    pars.p0x11100 = 12.5f;
    pars.p0x11270 = 7;
    pars.p0x11280 = 0.25f;
    pars.p0x11290 = 0.5f;
    const PointFrameLook look = SequenceFrameLook(pars);
    EXPECT_EQ(look.halfWidth, 1.0f);
    EXPECT_EQ(look.halfHeight, 1.0f);
    EXPECT_EQ(look.rate, 12500.0f);
    EXPECT_EQ(look.colorDelay, 7);
    EXPECT_EQ(look.openTime, 0.25f);
    EXPECT_EQ(look.closeTime, 0.5f);
}

TEST(PointFrameTest, TheRectangleGoesToTheFirstCellOnly)
{
    LChanOutParsTable table;
    PointFrameLook look;
    look.halfWidth = 0.5f;
    look.halfHeight = 2.0f;
    SetPointFrameRectangle(table, look);
    const LChanOutParsPair& first = table.entries[0];
    EXPECT_EQ(first.xMin, -0.5f);
    EXPECT_EQ(first.xMax, 0.5f);
    EXPECT_EQ(first.yMin, -2.0f);
    EXPECT_EQ(first.yMax, 2.0f);
    EXPECT_EQ(table.entries[1].xMax, 1.0f);
}

} // namespace
