#include "activex/c_zyl_player_active_x_ctrl.h"

#include "activex/test_support/control_test_fixture.h"
#include "params/current_kwp_pars.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using ControlPropertiesTest = ControlTest;

TEST_F(ControlPropertiesTest, RealParametersCrossAsHundredthsRoundedHalfUp)
{
    ASSERT_EQ(Put("FogIntensity", ZVariant::FromR4(37.5f)), S_OK);
    EXPECT_FLOAT_EQ(LCurrentKWPPars::Get().o_fog_intensity, 0.375f);
    EXPECT_EQ(Get("FogIntensity"), ZVariant::FromR4(38));
    EXPECT_TRUE(control_->IsModified());

    // Values a 32-bit real holds just below the hundredth still read as that hundredth.
    LBeamvistaPars pars = LCurrentKWPPars::Get();
    pars.o_fog_cloud_mix = 0.29f;
    pars.o_line_width = 0.57f;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    EXPECT_EQ(Get("Clouds"), ZVariant::FromR4(29));
    EXPECT_EQ(Get("linewidth"), ZVariant::FromR4(57));

    // A text argument is converted first.
    ASSERT_EQ(Put("GraphicsIntensity", ZVariant::FromText("250")), S_OK);
    EXPECT_FLOAT_EQ(LCurrentKWPPars::Get().o_graphics_intensity, 2.5f);
}

TEST_F(ControlPropertiesTest, NonFiniteRealsAreRefused)
{
    const float before = LCurrentKWPPars::Get().o_fog_min_int;
    for (float value : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(Put("FogMinIntensity", ZVariant::FromR4(value)), E_INVALIDARG);
        EXPECT_EQ(Put("PositionF", ZVariant::FromR4(value)), E_INVALIDARG);
    }
    EXPECT_EQ(LCurrentKWPPars::Get().o_fog_min_int, before);
    EXPECT_FALSE(control_->IsModified());
}

TEST_F(ControlPropertiesTest, IntegerParametersAreIndependent)
{
    ASSERT_EQ(Put("ForceFog", ZVariant::FromI4(1)), S_OK);
    ASSERT_EQ(Put("ForceGraphics", ZVariant::FromI4(0)), S_OK);
    EXPECT_EQ(Get("ForceGraphics"), ZVariant::FromI4(0));
    EXPECT_EQ(Get("ForceFog"), ZVariant::FromI4(1));
}

TEST_F(ControlPropertiesTest, ResetOneAppliesTheDefaultsResetZeroDoesNothing)
{
    ASSERT_EQ(Put("FogIntensity", ZVariant::FromR4(250)), S_OK);
    control_->Save(nullptr, true, false);
    ASSERT_EQ(Put("Reset", ZVariant::FromI4(0)), S_OK);
    EXPECT_EQ(Get("FogIntensity"), ZVariant::FromR4(250));
    EXPECT_FALSE(control_->IsModified());
    ASSERT_EQ(Put("Reset", ZVariant::FromI4(1)), S_OK);
    EXPECT_EQ(Get("FogIntensity"), ZVariant::FromR4(100));
    EXPECT_EQ(Get("Reset"), ZVariant::FromI4(0));
}

TEST_F(ControlPropertiesTest, LoadedIsTheReleasedShareInPercent)
{
    struct Case
    {
        uint32_t released;
        uint32_t total;
        int32_t percent;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{0, 100, 0}, Case{37, 100, 37}, Case{1, 3, 33}, Case{2, 3, 67},
                          Case{100, 100, 100}, Case{150, 100, 100}, Case{5, 0, 100}}) {
        SCOPED_TRACE(testing::Message() << c.released << " of " << c.total);
        EXPECT_EQ(LoadedPercent(c.released, c.total), c.percent);
    }
    download_->released = 37;
    download_->total = 100;
    EXPECT_EQ(Get("Loaded"), ZVariant::FromR4(37));
    // Read-only: the value given is ignored.
    EXPECT_EQ(Put("Loaded", ZVariant::FromR4(90)), S_OK);
    EXPECT_EQ(Get("Loaded"), ZVariant::FromR4(37));
    EXPECT_FALSE(control_->IsModified());
}

TEST_F(ControlPropertiesTest, BitsPerSecondReadsTheRateOnlyWhileThrottling)
{
    EXPECT_EQ(Get("BitsPerSecond"), ZVariant::FromI4(0));
    struct Case
    {
        int32_t set;
        int32_t read;
    };
    for (const Case& c : {Case{8000, 8000}, Case{0, 0}, Case{-5, 0}, Case{1000000000, 1000000000}}) {
        SCOPED_TRACE(c.set);
        ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(c.set)), S_OK);
        EXPECT_EQ(Get("BitsPerSecond"), ZVariant::FromI4(c.read));
    }
}

TEST_F(ControlPropertiesTest, WithoutAPlayerThePlayerPropertiesReadFalse)
{
    for (const char* name : {"Playing", "Muted", "Stop", "FullScreen", "StopLoad"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Get(name), ZVariant::FromBool(false));
        EXPECT_EQ(Put(name, ZVariant::FromBool(true)), S_OK);
    }
    EXPECT_EQ(Get("PositionF"), ZVariant::FromR4(0));
    EXPECT_EQ(Get("Frame"), ZVariant::FromI4(0));
    EXPECT_EQ(Get("ReadyState"), ZVariant::FromI4(3));
    EXPECT_EQ(Put("ReadyState", ZVariant::FromI4(4)), DISP_E_MEMBERNOTFOUND);
}

TEST_F(ControlPropertiesTest, PlayerPropertiesDriveThePlayer)
{
    ASSERT_EQ(Put("Url", ZVariant::FromText("show.zyl")), S_OK);
    ShowWindow();
    ASSERT_EQ(window_->playersMade, 1);
    player_.calls.clear();
    ASSERT_EQ(Put("Playing", ZVariant::FromBool(true)), S_OK);
    EXPECT_EQ(Get("Playing"), ZVariant::FromBool(true));
    ASSERT_EQ(Put("Stop", ZVariant::FromBool(true)), S_OK);
    EXPECT_EQ(Get("Stop"), ZVariant::FromBool(true));
    ASSERT_EQ(Put("Muted", ZVariant::FromText("True")), S_OK);
    EXPECT_EQ(Get("Muted"), ZVariant::FromBool(true));
    ASSERT_EQ(Put("PositionF", ZVariant::FromR4(25)), S_OK);
    EXPECT_FLOAT_EQ(player_.seekFraction, 0.25f);
    player_.position = 0.125f;
    EXPECT_EQ(Get("PositionF"), ZVariant::FromR4(13));
    ASSERT_EQ(Put("Frame", ZVariant::FromI4(0)), S_OK);
    EXPECT_EQ(Get("Frame"), ZVariant::FromI4(0));
    ASSERT_EQ(Put("Frame", ZVariant::FromI4(7)), S_OK);
    EXPECT_EQ(Get("Frame"), ZVariant::FromI4(1));
    ASSERT_EQ(Put("FullScreen", ZVariant::FromBool(true)), S_OK);
    EXPECT_EQ(Get("FullScreen"), ZVariant::FromBool(true));
    EXPECT_EQ(player_.calls, (std::vector<std::string>{"Play", "Stop", "Mute", "SeekFraction", "SetSkinLayout",
                                                       "SetSkinLayout"}));
}

TEST_F(ControlPropertiesTest, SettingTheUrlFiresOneReadyStateChange)
{
    Advise(sink_);
    ASSERT_EQ(Put("Url", ZVariant::FromText("a.zyl")), S_OK);
    ASSERT_EQ(Put("Url", ZVariant::FromText("b.zyl")), S_OK);
    EXPECT_EQ(sink_.readyStates, std::vector<int32_t>{4});
    EXPECT_EQ(Get("ReadyState"), ZVariant::FromI4(4));
    EXPECT_EQ(Get("Url"), ZVariant::FromText("b.zyl"));
    EXPECT_TRUE(control_->LoadPending());
}

TEST_F(ControlPropertiesTest, ASinkMaySetTheUrlInsideTheEvent)
{
    Advise(sink_);
    Advise(otherSink_);
    sink_.action = [this] { Put("Url", ZVariant::FromText("from-sink.zyl")); };
    ASSERT_EQ(Put("Url", ZVariant::FromText("page.zyl")), S_OK);
    EXPECT_EQ(Get("Url"), ZVariant::FromText("from-sink.zyl"));
    EXPECT_EQ(otherSink_.readyStates, std::vector<int32_t>{4});
}

TEST_F(ControlPropertiesTest, ASinkMayDropTheLastReferenceInsideTheEvent)
{
    Advise(sink_);
    IDispatch* control = dispatch_.Get();
    control->AddRef();
    dispatch_.Reset();
    sink_.action = [&] {
        sink_.action = nullptr;
        control->Release();
    };
    const ZVariant url = ZVariant::FromText("a.zyl");
    DISPID id = 0;
    ASSERT_EQ(control->GetIDsOfNames("Url", &id), S_OK);
    EXPECT_EQ(control->Invoke(id, kDispatchPropertyPut, std::span(&url, 1), nullptr), S_OK);
    EXPECT_EQ(sink_.readyStates, std::vector<int32_t>{4});
    EXPECT_EQ(sink_.count, 0u);
}

TEST_F(ControlPropertiesTest, VersionMethods)
{
    EXPECT_EQ(Get("GetVersion"), ZVariant::FromText("2004/06/09"));
    const uint64_t saved = ControlModuleVersion();
    SetControlModuleVersion(0x0001000200030004);
    EXPECT_EQ(Get("GetVersionX"), ZVariant::FromText("0001000200030004"));
    SetControlModuleVersion(0);
    EXPECT_EQ(Get("GetVersionX"), ZVariant::FromText("0000000000000000"));
    SetControlModuleVersion(saved);
}

TEST_F(ControlPropertiesTest, UnknownNamesAndMembers)
{
    DISPID id = 0;
    EXPECT_EQ(dispatch_->GetIDsOfNames("Volume", &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(dispatch_->Invoke(99, kDispatchPropertyGet, {}, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put("ForceFog", ZVariant::FromText("lots")), DISP_E_TYPEMISMATCH);
}

} // namespace
