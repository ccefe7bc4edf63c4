#include "activex/c_zyl_player_active_x_ctrl.h"

#include "activex/test_support/control_test_fixture.h"
#include "params/current_kwp_pars.h"
#include "platform/com/text_property_bag.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace {

class ControlPersistenceTest : public ControlTest
{
  protected:
    void Load(std::initializer_list<std::pair<const char*, const char*>> params)
    {
        TextPropertyBag bag;
        for (const auto& [name, value] : params) {
            bag.Add(name, value);
        }
        ComPtr<IPersistPropertyBag> persist = QueryAs<IPersistPropertyBag>(dispatch_.Get());
        ASSERT_TRUE(persist);
        ASSERT_EQ(persist->Load(&bag), S_OK);
    }
};

TEST_F(ControlPersistenceTest, UrlWinsOverSrcAndNeitherClearsTheUrl)
{
    struct Case
    {
        std::initializer_list<std::pair<const char*, const char*>> params;
        const char* url;
    };
    const Case cases[] = {
        {{{"Src", "src.zyl"}}, "src.zyl"},
        {{{"Src", "src.zyl"}, {"Url", "url.zyl"}}, "url.zyl"},
        {{{"Url", ""}, {"Src", "src.zyl"}}, "src.zyl"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        Load(c.params);
        EXPECT_EQ(Get("Url"), ZVariant::FromText(c.url));
        // The Url setter ran in every case: the download was reset and the load is due.
        EXPECT_EQ(download_->calls.back(), "Reset");
        EXPECT_TRUE(control_->LoadPending());
        EXPECT_EQ(Get("ReadyState"), ZVariant::FromI4(4));
    }
}

TEST_F(ControlPersistenceTest, StopAndPlayingWaitForTheShowMutedForThePlayer)
{
    Load({{"Url", "show.zyl"}, {"Playing", "1"}, {"Muted", "1"}, {"Stop", "1"}});
    EXPECT_TRUE(player_.calls.empty());
    ShowWindow();
    // The player is made: Muted applies at once, Stop and Playing only to an open show.
    EXPECT_EQ(player_.calls, (std::vector<std::string>{"Mute", "CloseAll"}));
    EXPECT_EQ(download_->calls.back(), "Start show.zyl");
    player_.calls.clear();
    control_->OnShowOpened();
    EXPECT_EQ(player_.calls, (std::vector<std::string>{"Stop", "Play"}));
    EXPECT_EQ(Get("Playing"), ZVariant::FromBool(true));
    // Once only.
    player_.calls.clear();
    control_->OnShowOpened();
    EXPECT_TRUE(player_.calls.empty());
}

TEST_F(ControlPersistenceTest, FrameAppliesWhenThePlayerIsMade)
{
    Load({{"Frame", "0"}});
    ShowWindow();
    EXPECT_FALSE(player_.IsFrameShown());
    EXPECT_EQ(Get("Frame"), ZVariant::FromI4(0));
}

TEST_F(ControlPersistenceTest, BitsPerSecondZeroSwitchesThrottlingOffAbsentLeavesIt)
{
    Load({{"BitsPerSecond", "8000"}});
    EXPECT_EQ(Get("BitsPerSecond"), ZVariant::FromI4(8000));
    Load({});
    EXPECT_EQ(Get("BitsPerSecond"), ZVariant::FromI4(8000));
    Load({{"BitsPerSecond", "0"}});
    EXPECT_EQ(Get("BitsPerSecond"), ZVariant::FromI4(0));
}

TEST_F(ControlPersistenceTest, RealParamsAreLongsOfHundredths)
{
    struct Case
    {
        const char* text;
        float stored;
    };
    // The default fog intensity is 1; what is no long that fits keeps it.
    const Case cases[] = {{"37.5", 0.38f}, {"abc", 1.0f}, {"99999999999", 1.0f}, {" 250 ", 2.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Load({{"Reset", "1"}, {"FogIntensity", c.text}});
        EXPECT_FLOAT_EQ(LCurrentKWPPars::Get().o_fog_intensity, c.stored);
    }
}

TEST_F(ControlPersistenceTest, AbsentParamsKeepTheSetRoundedToHundredths)
{
    LBeamvistaPars pars = LCurrentKWPPars::Get();
    pars.o_fog_cloud_mix = 0.123f;
    pars.o_fog_force = 1;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    Load({{"ForceGraphics", "0"}});
    EXPECT_FLOAT_EQ(LCurrentKWPPars::Get().o_fog_cloud_mix, 0.12f);
    EXPECT_EQ(LCurrentKWPPars::Get().o_fog_force, 1);
    EXPECT_EQ(LCurrentKWPPars::Get().o_graphics_force, 0);
}

TEST_F(ControlPersistenceTest, ResetAppliesTheDefaultsBeforeTheOtherParams)
{
    ASSERT_EQ(Put("LineWidth", ZVariant::FromR4(500)), S_OK);
    Load({{"reset", "1"}, {"clouds", "50"}});
    EXPECT_EQ(Get("LineWidth"), ZVariant::FromR4(200));
    EXPECT_EQ(Get("Clouds"), ZVariant::FromR4(50));
}

} // namespace
