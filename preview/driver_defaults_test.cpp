#include "preview/driver_defaults.h"

#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "params/test_support/beamvista_test_util.h"
#include "preview/test_support/opengl_switches.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectDriverDefaults, RendererNameAndWidestLineChooseTheSwitches)
{
    struct Case
    {
        const char* renderer;
        float widestLine;
        OpenGlSwitches expected; // generic, enhanced, enhanced beams, profile, smoothing, 3-D fog
    };
    const Case cases[] = {
        {"RADEON 7000 DDR x86/SSE2", 10.0f, {0, 1, 0, 0, 1, 0}},
        {"AMD Radeon RX 580 (polaris10)", 10.0f, {0, 1, 0, 0, 1, 1}},
        {"GDI Generic", 1.0f, {0, 1, 0, 1, 0, 0}},
        {"Microsoft Basic Render Driver", 10.0f, {0, 1, 0, 1, 0, 0}},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", 255.0f, {0, 1, 0, 1, 0, 0}},
        {"softpipe", 1.0f, {0, 1, 0, 1, 0, 0}},
        {"Some Hardware 3000", 1.0f, {0, 1, 1, 1, 1, 0}},
        {"Some Hardware 3000", 1.48f, {0, 1, 1, 1, 1, 0}},
        {"Some Hardware 3000", 1.49f, {0, 0, 0, 1, 1, 0}},
        {"Some Hardware 3000", 7.5f, {0, 0, 0, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        LBeamvistaPars set;
        set.o_force_generic_opengl = 1;
        set.o_enhanced_lines_beam = 1;
        DetectDriverDefaults(GlDriverInfo{c.renderer, c.widestLine}, set);
        EXPECT_EQ(SwitchesOf(set), c.expected) << c.renderer << " at " << c.widestLine;
    }
}

// The live parameters, the generic defaults and a settings store of the test's own.
class DriverDefaultsTest : public LiveParametersTest
{
  protected:
    void SetUp() override
    {
        RegisterBeamvistaParameters();
        SetBeamvistaRegistryBase("Zyl Player");
    }
    void TearDown() override
    {
        SetBeamvistaRegistryBase("");
        LiveParametersTest::TearDown();
    }
    static LBeamvistaPars Live()
    {
        LBeamvistaPars live;
        live.ReadFromParameters();
        return live;
    }

    const GlDriverInfo llvmpipe_{"llvmpipe (LLVM 15.0.6, 256 bits)", 255.0f};
    const OpenGlSwitches llvmpipeSwitches_{0, 1, 0, 1, 0, 0};
    TemporarySettingsStore store_;
};

TEST_F(DriverDefaultsTest, DetectionReachesTheDefaultsAndTheLiveParameters)
{
    DriverDefaults::Apply(llvmpipe_, Live());
    EXPECT_EQ(SwitchesOf(Live()), llvmpipeSwitches_);
    EXPECT_EQ(SwitchesOf(BeamvistaDefaultPars()), llvmpipeSwitches_);
    // Nothing but the switches changed.
    LBeamvistaPars expected;
    expected.o_polygon_smooth = 0;
    expected.o_beam_profile = 1;
    EXPECT_TRUE(Live().IsEqual(expected, kBeamvistaAllGroups));
}

TEST_F(DriverDefaultsTest, WithoutAContextNothingChanges)
{
    const LBeamvistaPars before = Live();
    DriverDefaults::Apply(std::nullopt, before);
    EXPECT_TRUE(Live().IsEqual(before, kBeamvistaAllGroups));
    EXPECT_TRUE(BeamvistaDefaultPars().IsEqual(LBeamvistaPars(), kBeamvistaAllGroups));
}

TEST_F(DriverDefaultsTest, StoredSwitchesWinOverDetection)
{
    LBeamvistaPars chosen;
    chosen.o_force_generic_opengl = 1;
    chosen.o_fog_3d = 1;
    chosen.o_polygon_smooth = 1;
    ASSERT_TRUE(DriverDefaults::Save(chosen));

    // What the preview does when its context is made: detect, then load without detecting.
    DriverDefaults::Apply(llvmpipe_, Live());
    EXPECT_TRUE(DriverDefaults::Load(false, llvmpipe_, Live()));
    EXPECT_EQ(SwitchesOf(Live()), SwitchesOf(chosen));
    // Once more, as for a re-created context: the generic choice stays.
    DriverDefaults::Apply(llvmpipe_, Live());
    EXPECT_TRUE(DriverDefaults::Load(false, llvmpipe_, Live()));
    EXPECT_EQ(Live().o_force_generic_opengl, 1);
}

TEST_F(DriverDefaultsTest, LoadingWithoutStoredSwitchesDetectsOnlyWhenAsked)
{
    EXPECT_FALSE(DriverDefaults::Load(false, llvmpipe_, Live()));
    EXPECT_EQ(SwitchesOf(Live()), SwitchesOf(LBeamvistaPars()));
    EXPECT_FALSE(DriverDefaults::Load(true, llvmpipe_, Live()));
    EXPECT_EQ(SwitchesOf(Live()), llvmpipeSwitches_);
}

TEST_F(DriverDefaultsTest, SavingWithoutARegistryBaseWritesNothing)
{
    SetBeamvistaRegistryBase("");
    EXPECT_FALSE(DriverDefaults::Save(Live()));
    EXPECT_FALSE(TemporarySettingsStore::Stored(kPlayerOpenGlKey, "ForceGeneric"));
    EXPECT_FALSE(TemporarySettingsStore::Stored(kPlayerOpenGlKey, "EnhancedLines"));
}

} // namespace
