#include "params/beamvista_opengl_defaults.h"

#include <gtest/gtest.h>
#include <string>

#include "params/beamvista_pars.h"
#include "params/test_support/beamvista_test_util.h"

namespace {

// The six stored switches in the order in which they are written.
const char* const kValueNames[] = {"ForceGeneric", "EnhancedLines", "EnhancedLinesBeam",
                                   "BeamProfile",  "PolygonSmooth", "Fog3d"};

// A fresh settings store for each test, and the player's registry base.
class BeamvistaOpenGlDefaultsTest : public ::testing::Test
{
  protected:
    void SetUp() override { SetBeamvistaRegistryBase("Zyl Player"); }
    void TearDown() override { SetBeamvistaRegistryBase(""); }

    void Store(const char* name, std::vector<uint8_t> data)
    {
        TemporarySettingsStore::Store(kPlayerOpenGlKey, name, data);
    }
    void StoreDword(const char* name, uint32_t value) { Store(name, EncodeSettingsDword(value)); }
    std::optional<uint32_t> Stored(const char* name)
    {
        return TemporarySettingsStore::Stored(kPlayerOpenGlKey, name);
    }

    // Every OpenGL switch on, so that what a read sets to 0 shows.
    static LBeamvistaPars AllOn()
    {
        LBeamvistaPars pars;
        pars.o_force_generic_opengl = pars.o_enhanced_lines = pars.o_beam_profile = 1;
        pars.o_polygon_smooth = pars.o_fog_3d = pars.o_enhanced_lines_beam = 1;
        return pars;
    }

    TemporarySettingsStore store_;
};

TEST_F(BeamvistaOpenGlDefaultsTest, WritesTheSixSwitches)
{
    LBeamvistaPars pars;
    pars.o_force_generic_opengl = 1;
    pars.o_fog_3d = 1;
    ASSERT_TRUE(pars.WriteOpenGlDefaults());
    const uint32_t expected[] = {1, 1, 0, 0, 1, 1}; // the defaults turn enhanced lines and smoothing on
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Stored(kValueNames[i]), expected[i]) << kValueNames[i];

    LBeamvistaPars read = AllOn();
    read.o_enhanced_lines = 0;
    ASSERT_TRUE(read.ReadOpenGlDefaults());
    EXPECT_EQ(read.o_force_generic_opengl, 1);
    EXPECT_EQ(read.o_enhanced_lines, 1);
    EXPECT_EQ(read.o_enhanced_lines_beam, 0);
    EXPECT_EQ(read.o_beam_profile, 0);
    EXPECT_EQ(read.o_polygon_smooth, 1);
    EXPECT_EQ(read.o_fog_3d, 1);
}

TEST_F(BeamvistaOpenGlDefaultsTest, AnyNonZeroNumberIsOn)
{
    for (const char* name : kValueNames)
        StoreDword(name, 0);
    StoreDword("Fog3d", 7);
    LBeamvistaPars pars = AllOn();
    EXPECT_TRUE(pars.LoadOpenGlDefaults());
    EXPECT_EQ(pars.o_force_generic_opengl, 0);
    EXPECT_EQ(pars.o_enhanced_lines_beam, 0);
    EXPECT_EQ(pars.o_fog_3d, 1);
}

TEST_F(BeamvistaOpenGlDefaultsTest, AKeyOfTheFirstFiveTurnsTheLastOff)
{
    for (int i = 0; i < 6; ++i) {
        if (i != 2)
            StoreDword(kValueNames[i], 1);
    }
    LBeamvistaPars pars = AllOn();
    EXPECT_TRUE(pars.ReadOpenGlDefaults());
    EXPECT_EQ(pars.o_fog_3d, 1);
    EXPECT_EQ(pars.o_enhanced_lines_beam, 0);
}

TEST_F(BeamvistaOpenGlDefaultsTest, AMissingValueStopsTheReading)
{
    // Without "PolygonSmooth": the three before it are read, the rest stay as they were.
    StoreDword("ForceGeneric", 0);
    StoreDword("EnhancedLines", 0);
    StoreDword("BeamProfile", 0);
    StoreDword("Fog3d", 0);
    StoreDword("EnhancedLinesBeam", 0);
    LBeamvistaPars pars = AllOn();
    EXPECT_FALSE(pars.ReadOpenGlDefaults());
    EXPECT_EQ(pars.o_force_generic_opengl, 0);
    EXPECT_EQ(pars.o_enhanced_lines, 0);
    EXPECT_EQ(pars.o_beam_profile, 0);
    EXPECT_EQ(pars.o_polygon_smooth, 1);
    EXPECT_EQ(pars.o_fog_3d, 1);
    EXPECT_EQ(pars.o_enhanced_lines_beam, 1);
}

TEST_F(BeamvistaOpenGlDefaultsTest, AnEightByteValueCountsAsMissing)
{
    for (const char* name : kValueNames)
        StoreDword(name, 0);
    Store("ForceGeneric", {0, 0, 0, 0, 0, 0, 0, 0});
    LBeamvistaPars pars = AllOn();
    EXPECT_FALSE(pars.ReadOpenGlDefaults());
    EXPECT_EQ(pars.o_force_generic_opengl, 1);
    EXPECT_EQ(pars.o_enhanced_lines, 1);
}

TEST_F(BeamvistaOpenGlDefaultsTest, NoBaseNoSettings)
{
    SetBeamvistaRegistryBase("");
    for (const char* name : kValueNames)
        StoreDword(name, 0);
    LBeamvistaPars pars = AllOn();
    EXPECT_FALSE(pars.ReadOpenGlDefaults());
    EXPECT_EQ(pars.o_force_generic_opengl, 1);
    EXPECT_FALSE(pars.WriteOpenGlDefaults());
    EXPECT_EQ(Stored("ForceGeneric"), 0u);
}

TEST_F(BeamvistaOpenGlDefaultsTest, TheBaseKeepsItsFirstSpelling)
{
    SetBeamvistaRegistryBase("ZYL PLAYER");
    EXPECT_EQ(std::string(BeamvistaRegistryBase().View()), "Zyl Player");
    EXPECT_EQ(std::string(BeamvistaOpenGlKey().View()), "Zyl Player\\OpenGL");
    SetBeamvistaRegistryBase("Zyl Player ActiveX\\");
    EXPECT_EQ(std::string(BeamvistaOpenGlKey().View()), "Zyl Player ActiveX\\OpenGL");
}

} // namespace
