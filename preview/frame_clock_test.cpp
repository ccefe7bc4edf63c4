#include "preview/frame_clock.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(FrameClockTest, FirstFrameHasNoDeltaLaterOnesTheirDistance)
{
    LFrameClock clock;
    clock.Update(-1, 5000, {});
    EXPECT_EQ(clock.frameDelta, 0);
    EXPECT_EQ(clock.frameTick, 5000);
    clock.Update(5004, 5010, {});
    EXPECT_FLOAT_EQ(clock.frameDelta, 0.04f);
    EXPECT_EQ(clock.frameCount, 2);
}

TEST(FrameClockTest, AveragedRateWaitsForMoreThanAQuarterSecond)
{
    struct Case
    {
        int32_t step;
        bool sampled;
    };
    for (const Case c : {Case{24, false}, Case{25, true}}) {
        SCOPED_TRACE(c.step);
        LFrameClock clock;
        clock.Update(-1, 1000, {});
        clock.Update(-1, 1000 + c.step / 2, {});
        clock.Update(-1, 1000 + c.step, {});
        if (c.sampled) {
            EXPECT_FLOAT_EQ(clock.pcFps, 2 * 100.0f / static_cast<float>(c.step));
            EXPECT_EQ(clock.fpsSampleTick, 1000 + c.step);
        } else {
            EXPECT_EQ(clock.fpsSampleTick, 1000);
        }
    }
}

TEST(FrameClockTest, InstantRateOfZeroDistanceIsCapped)
{
    LFrameClock clock;
    clock.Update(-1, 700, {});
    clock.Update(-1, 700, {});
    EXPECT_FLOAT_EQ(clock.instantFps, LFrameClock::kMaxFps);
    clock.Update(-1, 702, {});
    EXPECT_FLOAT_EQ(clock.instantFps, 50);
}

TEST(FrameClockTest, LongPauseRestartsTheLaserRate)
{
    LFrameClock clock;
    clock.Update(-1, 100, {});
    clock.Update(-1, 101, {});
    EXPECT_FALSE(clock.longPause);
    clock.laserFrameDelta = 0.3f;
    clock.CountLaserFrame();
    EXPECT_FLOAT_EQ(clock.laserFps, 1 / 0.3f);
    clock.Update(-1, 126, {});
    EXPECT_TRUE(clock.longPause);
    EXPECT_EQ(clock.laserFps, 0);
    EXPECT_EQ(clock.laserFrameDelta, 0);
    clock.CountLaserFrame();
    EXPECT_EQ(clock.laserFpsCount, 0) << "a frame that advanced no show time resets the sums";
}

TEST(FrameClockTest, DriftFollowsTimeAndStaysInsideTheUnit)
{
    const FogMotion fog{0.5f, 0, 90, false};
    LFrameClock clock;
    clock.Update(-1, 100, fog);
    clock.Update(-1, 200, fog);
    EXPECT_NEAR(clock.driftX, 0.5f, 1e-6);
    EXPECT_NEAR(clock.driftY, 0, 1e-6);

    FogMotion flat = fog;
    flat.twoDimensional = true;
    LFrameClock half;
    half.Update(-1, 100, flat);
    half.Update(-1, 200, flat);
    EXPECT_NEAR(half.driftX, 0.25f, 1e-6);
}

TEST(FrameClockTest, HugeStepsWrapAndNonFiniteOnesReset)
{
    const FogMotion fast{1e6f, -70, 20, false};
    LFrameClock clock;
    clock.Update(-1, 100, fast);
    clock.Update(-1, 2000000000, fast);
    for (float drift : {clock.driftX, clock.driftY, clock.driftZ}) {
        EXPECT_GE(drift, 0);
        EXPECT_LT(drift, 1);
    }
    EXPECT_EQ(WrapDrift(INFINITY), 0);
    EXPECT_EQ(WrapDrift(NAN), 0);
    EXPECT_FLOAT_EQ(WrapDrift(-0.25f), 0.75f);
    EXPECT_FLOAT_EQ(WrapDrift(3.5f), 0.5f);
}

} // namespace
