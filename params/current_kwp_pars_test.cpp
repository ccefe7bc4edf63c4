#include "params/current_kwp_pars.h"

#include <gtest/gtest.h>

#include "params/beamvista_parameter_objects.h"
#include "params/beamvista_registration.h"
#include "params/test_support/beamvista_test_util.h"
#include "messaging/value_msg_to.h"

namespace {

constexpr int32_t kFogForceRow = 6;

TEST(LCurrentKWPPars, FirstUseRegistersAndReads)
{
    if (BeamvistaParametersRegistered())
        GTEST_SKIP() << "needs a process of its own";
    // A change before the first use reaches no one; the first use reads it.
    LBeamvistaPars changed;
    changed.o_fog_rot = 10.0f;
    changed.ApplyToParameters(kBeamvistaAllGroups);
    const LBeamvistaPars& current = LCurrentKWPPars::Get();
    EXPECT_TRUE(BeamvistaParametersRegistered());
    EXPECT_EQ(current.o_fog_rot, 10.0f);
    LBeamvistaPars handlers;
    handlers.ReadFromParameters();
    EXPECT_TRUE(current.IsEqual(handlers, kBeamvistaAllGroups));
    LBeamvistaPars().ApplyToParameters(kBeamvistaAllGroups);
}

class CurrentSetTest : public LiveParametersTest
{
};

TEST_F(CurrentSetTest, FollowsCommittedChangesOnly)
{
    const LBeamvistaPars& current = LCurrentKWPPars::Get();
    EXPECT_EQ(&current, &LCurrentKWPPars::Get());
    LBeamvistaPars applied;
    applied.o_line_width = 7.0f;
    applied.o_bg3_filename = "bg.png";
    applied.p0x10300 = 1;
    applied.ApplyToParameters(kBeamvistaAllGroups);
    EXPECT_TRUE(current.IsEqual(applied, kBeamvistaAllGroups));

    // A change that fails is rolled back: the set keeps the committed values.
    LValueModifyMsgToReceiver to(BeamvistaParameterObject(kFogForceRow).AsReceiver());
    const CError result = to.SendInt(0, 9, LValueModifyMsg::kItemValue);
    EXPECT_TRUE(result.Failed());
    EXPECT_EQ(current.o_fog_force, 2);
    EXPECT_TRUE(current.IsEqual(applied, kBeamvistaAllGroups));
}

} // namespace
