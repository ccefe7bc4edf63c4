#include "params/beamvista_pars.h"

#include <gtest/gtest.h>

#include "params/beamvista_param_table.h"

namespace {

using B = BeamvistaBlock;

TEST(LBeamvistaPars, DefaultsOfTheTable)
{
    const LBeamvistaPars pars;
    EXPECT_EQ(pars.o_graphics_force, 2);
    EXPECT_EQ(pars.o_line_width, 2.0f);
    EXPECT_EQ(pars.o_fog_cloud_mix, 0.3f);
    EXPECT_EQ(pars.o_fog_speed, 0.05f);
    EXPECT_EQ(pars.o_fog_dir, -70.0f);
    EXPECT_EQ(pars.o_fog_dir2, 20.0f);
    // Kept in single precision: 29.12 comes back widened as 29.1200008392334.
    EXPECT_EQ(pars.o_fog_rot, 29.12f);
    EXPECT_NEAR(static_cast<double>(pars.o_fog_rot), 29.1200008392334, 1e-13);
    EXPECT_EQ(pars.o_enhanced_lines, 1);
    EXPECT_EQ(pars.o_polygon_smooth, 1);
    EXPECT_EQ(pars.o_sim_color_delayf, 0.85f);
    for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n) {
        LBeamvistaPars copy = pars;
        EXPECT_EQ(copy.BgSwitch(n), 2);
        EXPECT_EQ(copy.BgLoad(n), 0);
        EXPECT_TRUE(copy.BgFilename(n).IsEmpty());
    }
    EXPECT_EQ(pars.p0x91205, 115);
    EXPECT_EQ(pars.p0x91250, 0.0002f);
    EXPECT_EQ(pars.p0x10310, 1);
    EXPECT_EQ(pars.p0x10010, 1);
    EXPECT_EQ(pars.p0x11110, 1.0f);
}

TEST(LBeamvistaPars, SetDefaultsIgnoresEveryMask)
{
    LBeamvistaPars pars;
    pars.o_graphics_force = 0;
    pars.o_no_blending = 1;
    pars.o_bg2_filename = "bg.png";
    pars.p0x20010 = 1;
    pars.SetDefaults();
    EXPECT_EQ(pars.o_graphics_force, 2);
    EXPECT_EQ(pars.o_no_blending, 0);
    EXPECT_TRUE(pars.o_bg2_filename.IsEmpty());
    EXPECT_EQ(pars.p0x20010, 0);
}

TEST(LBeamvistaPars, MasksSelectBlocksByTheRule)
{
    struct Case
    {
        uint32_t mask;
        bool main, openGl, simulation, backgrounds, extended;
    };
    const Case cases[] = {
        {0xffff, true, true, true, true, true},
        {0x01, true, false, true, true, false},
        {0x10, true, false, true, false, false},
        {0x02, false, true, false, false, true},
        {0x20, false, true, false, true, true},
        // 0x20 meets the backgrounds' selector 0x21, so the rule selects them too.
        {0x10022, false, true, false, true, false},
        {0x1ffff, true, true, true, true, false},
        {0x2ffff, true, true, true, true, false},
        {0x20001, true, false, true, true, false},
        {0x30000, false, false, false, false, false},
        {0x0, false, false, false, false, false},
        {0x40, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask 0x" << std::hex << c.mask);
        EXPECT_EQ(LBeamvistaPars::SelectsBlock(c.mask, B::Main), c.main);
        EXPECT_EQ(LBeamvistaPars::SelectsBlock(c.mask, B::OpenGl), c.openGl);
        EXPECT_EQ(LBeamvistaPars::SelectsBlock(c.mask, B::Simulation), c.simulation);
        EXPECT_EQ(LBeamvistaPars::SelectsBlock(c.mask, B::Backgrounds), c.backgrounds);
        EXPECT_EQ(LBeamvistaPars::SelectsBlock(c.mask, B::Extended), c.extended);
    }
}

TEST(LBeamvistaPars, BackgroundMembersReachTheirOwnRecord)
{
    LBeamvistaPars source;
    source.o_bg1_filename = "one.bmp";
    source.o_bg3_pos_y = 7.5f;
    LBeamvistaPars copy(source);
    EXPECT_EQ(&copy.BgFilename(1), &copy.o_bg1_filename);
    EXPECT_EQ(copy.BgFilename(1), "one.bmp");
    EXPECT_EQ(&copy.BgReal(kBgPosY, 3), &copy.o_bg3_pos_y);
    EXPECT_EQ(&copy.BgSwitch(2), &copy.o_bg2);
    EXPECT_EQ(&copy.BgLoad(0), &copy.o_bg0_load);
    EXPECT_EQ(&copy.BgReal(kBgIntensity, 0), &copy.o_bg0_intensity);
    copy.BgReal(kBgSizeX, 2) = 3.0f;
    EXPECT_EQ(copy.o_bg2_size_x, 3.0f);
    EXPECT_EQ(source.o_bg2_size_x, 1.0f);
    EXPECT_STREQ(LBeamvistaPars::BackgroundMember(kBgPosX, 1).name, "o_bg1_pos_x");
}

TEST(LBeamvistaPars, AssignCopiesOnlyTheSelectedBlocks)
{
    LBeamvistaPars other;
    other.o_graphics_force = 1;     // main
    other.o_fog_3d = 1;             // OpenGL switches
    other.o_sim_freqf = 50.0f;      // simulation
    other.o_bg0_filename = "a.png"; // backgrounds
    other.p0x91205 = 7;             // extended
    LBeamvistaPars pars;
    pars.Assign(other, kBeamvistaShowGroups);
    EXPECT_EQ(pars.o_graphics_force, 1);
    EXPECT_EQ(pars.o_fog_3d, 0);
    EXPECT_EQ(pars.o_sim_freqf, 50.0f);
    EXPECT_TRUE(pars.o_bg0_filename.IsEmpty());
    EXPECT_EQ(pars.p0x91205, 115);

    pars.Assign(other, 0x20);
    EXPECT_EQ(pars.o_fog_3d, 1);
    EXPECT_EQ(pars.o_bg0_filename.Block(), other.o_bg0_filename.Block()); // shared, not duplicated
    EXPECT_EQ(pars.p0x91205, 7);

    pars.Assign(pars, kBeamvistaAllGroups);
    EXPECT_EQ(pars.p0x91205, 7);
}

TEST(BeamvistaDefaultPars, StartsAtTheDefaults)
{
    EXPECT_EQ(BeamvistaDefaultPars().o_fog_dir, -70.0f);
    EXPECT_EQ(&BeamvistaDefaultPars(), &BeamvistaDefaultPars());
}

} // namespace
