#include "preview/l_beamvista.h"

#include "preview/test_support/preview_test_fixture.h"

namespace {

using ChangeTest = PreviewTest;

TEST_F(ChangeTest, WithoutWindowOnlyTheLiveSetFollows)
{
    TestPreview preview;
    preview.BindParameters();
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_line_width = 5;
        p.o_force_generic_opengl = 1;
    });
    EXPECT_FLOAT_EQ(preview.LivePars().o_line_width, 5);
    EXPECT_EQ(preview.LivePars().o_force_generic_opengl, 1);
    EXPECT_EQ(ui_.windowsCreated, 0);
}

TEST_F(ChangeTest, LineWidthKeepsTheWindowAndFogSpeedRebuildsNothing)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    ChangeParameters([](LBeamvistaPars& p) { p.o_line_width = 3; });
    ChangeParameters([](LBeamvistaPars& p) { p.o_fog_speed = 0.5f; });
    EXPECT_EQ(ui_.windowsCreated, 1);
    EXPECT_FLOAT_EQ(preview.LivePars().o_line_width, 3);
    EXPECT_FLOAT_EQ(preview.LivePars().o_fog_speed, 0.5f);
}

TEST_F(ChangeTest, GenericOpenGlTurnsPolygonSmoothingOffAndRecreatesOnce)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    ASSERT_EQ(preview.LivePars().o_polygon_smooth, 1);
    ChangeParameters([](LBeamvistaPars& p) { p.o_force_generic_opengl = 1; });
    EXPECT_EQ(ui_.windowsCreated, 2);
    EXPECT_EQ(preview.LivePars().o_polygon_smooth, 0);
    EXPECT_TRUE(Window()->Spec().gl.forceGeneric);
    EXPECT_EQ(Window()->Kind(), NativeWindowKind::Child);
    EXPECT_EQ(ui_.LiveWindows().size(), 1u);
}

TEST_F(ChangeTest, RefusedGenericWindowComesBackWithTheSwitchPutBack)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    ui_.refuseGl = [](const NativeWindowSpec& spec) { return spec.gl.forceGeneric; };
    ChangeParameters([](LBeamvistaPars& p) { p.o_force_generic_opengl = 1; });
    ASSERT_TRUE(preview.HasWindow());
    EXPECT_FALSE(Window()->Spec().gl.forceGeneric);
    EXPECT_EQ(preview.LivePars().o_force_generic_opengl, 0);
    LBeamvistaPars handlers;
    handlers.ReadFromParameters();
    EXPECT_EQ(handlers.o_force_generic_opengl, 0);
}

// Driver defaults that store ForceGeneric 1 over a detection of 0.
class GenericByDefault : public TestPreview
{
  public:
    int runs = 0;

  protected:
    void RunStartupDriverDefaults() override
    {
        ++runs;
        LBeamvistaPars pars;
        pars.ReadFromParameters();
        pars.o_force_generic_opengl = 1;
        pars.ApplyToParameters(kBeamvistaAllGroups);
    }
};

TEST_F(ChangeTest, StoredGenericSwitchRecreatesOnceAfterTheContext)
{
    GenericByDefault preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    EXPECT_EQ(preview.runs, 1);
    EXPECT_EQ(ui_.windowsCreated, 2);
    EXPECT_TRUE(Window()->Spec().gl.forceGeneric);
    EXPECT_EQ(preview.LivePars().o_force_generic_opengl, 1);
    EXPECT_EQ(ui_.LiveWindows().size(), 1u);

    // Later windows keep what the user chose since.
    ChangeParameters([](LBeamvistaPars& p) { p.o_force_generic_opengl = 0; });
    EXPECT_EQ(preview.runs, 1);
    EXPECT_FALSE(Window()->Spec().gl.forceGeneric);
}

TEST_F(ChangeTest, ChangeWithoutCurrentContextRebuildsAtTheNextOne)
{
    TestPreview preview;
    ASSERT_TRUE(preview.CreateAsChild(view_));
    Window()->Surface()->canMakeCurrent = false;
    ChangeParameters([](LBeamvistaPars& p) { p.o_line_width = 4; });
    EXPECT_FLOAT_EQ(preview.LivePars().o_line_width, 4);
    Window()->Surface()->canMakeCurrent = true;
    const int before = Window()->Surface()->makeCurrentCalls;
    EXPECT_TRUE(preview.MakeCurrent());
    EXPECT_GT(Window()->Surface()->makeCurrentCalls, before);
}

} // namespace
