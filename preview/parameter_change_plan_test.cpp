#include "preview/parameter_change_plan.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Expect
{
    bool recreate = false;
    bool glState = false;
    bool fog = false;
    bool all = false;
    bool beam = false;
};

struct Case
{
    const char* field;
    std::function<void(LBeamvistaPars&)> change;
    Expect expect;
};

TEST(ParameterChangePlanTest, EachFieldGivesExactlyItsRebuild)
{
    const Case cases[] = {
        {"force generic", [](LBeamvistaPars& p) { p.o_force_generic_opengl = 1; }, {true, false, false, false, false}},
        {"line width", [](LBeamvistaPars& p) { p.o_line_width = 3; }, {false, true, false, false, false}},
        {"no blending", [](LBeamvistaPars& p) { p.o_no_blending = 1; }, {false, true, false, false, false}},
        {"0x10140", [](LBeamvistaPars& p) { p.p0x10140 = !p.p0x10140; }, {false, true, false, false, false}},
        {"fog 3d", [](LBeamvistaPars& p) { p.o_fog_3d = 1; }, {false, true, true, false, false}},
        {"fog structure", [](LBeamvistaPars& p) { p.o_fog_structure = 0.5f; }, {false, true, true, false, false}},
        {"0x10220", [](LBeamvistaPars& p) { p.p0x10220 = !p.p0x10220; }, {false, true, false, true, false}},
        {"0x21060", [](LBeamvistaPars& p) { p.p0x21060 += 1; }, {false, true, false, false, true}},
        {"fog speed", [](LBeamvistaPars& p) { p.o_fog_speed = 2; }, {}},
        {"graphics size", [](LBeamvistaPars& p) { p.o_graphics_size_x = 2; }, {}},
    };
    const LBeamvistaPars live;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        LBeamvistaPars next = live;
        c.change(next);
        const ParameterChangePlan plan = PlanParameterChange(live, next, {});
        EXPECT_EQ(plan.recreate, c.expect.recreate);
        EXPECT_EQ(plan.glState, c.expect.glState);
        EXPECT_EQ(plan.fogTexture, c.expect.fog);
        EXPECT_EQ(plan.allTextures, c.expect.all);
        EXPECT_EQ(plan.beamProfileTexture, c.expect.beam);
        EXPECT_FALSE(plan.AnySlotEmptied());
        EXPECT_EQ(plan.loadBackground, -1);
    }
}

TEST(ParameterChangePlanTest, RealsCompareExactly)
{
    LBeamvistaPars live;
    LBeamvistaPars next = live;
    next.o_line_width = std::nextafter(live.o_line_width, 100.0f);
    EXPECT_TRUE(PlanParameterChange(live, next, {}).glState);
}

TEST(ParameterChangePlanTest, ClearedNameEmptiesOnlyANamedSlot)
{
    LBeamvistaPars live;
    live.o_bg1_filename = "a.png";
    live.o_bg2_filename = "b.png";
    LBeamvistaPars next = live;
    next.o_bg1_filename = "";
    next.o_bg2_filename = "";
    const ParameterChangePlan plan = PlanParameterChange(live, next, {false, true, false, false});
    EXPECT_FALSE(plan.emptySlot[0]);
    EXPECT_TRUE(plan.emptySlot[1]);
    EXPECT_FALSE(plan.emptySlot[2]) << "slot 2 holds no named picture";
}

TEST(ParameterChangePlanTest, OneShotsAndTheFirstChangedLoadSwitch)
{
    LBeamvistaPars live;
    LBeamvistaPars next = live;
    next.o_opengl_reset = 1;
    next.o_opengl_save_as_default = 1;
    next.o_bg2_load = 1;
    next.o_bg3_load = 1;
    const ParameterChangePlan plan = PlanParameterChange(live, next, {});
    EXPECT_TRUE(plan.openGlReset);
    EXPECT_FALSE(plan.openGlDefault);
    EXPECT_TRUE(plan.openGlSaveAsDefault);
    EXPECT_EQ(plan.loadBackground, 2);
}

} // namespace
