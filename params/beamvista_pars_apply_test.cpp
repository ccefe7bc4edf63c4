#include <gtest/gtest.h>

#include "foundation/archives/archive_xstring.h"
#include "params/beamvista_param_table.h"
#include "params/beamvista_parameter_objects.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "params/test_support/beamvista_test_util.h"
#include "messaging/registry_from_ref.h"
#include "messaging/value_modify_msg_tx.h"
#include "messaging/value_msg_to.h"

namespace {

constexpr int32_t kItemValue = LValueModifyMsg::kItemValue;
constexpr int32_t kItemDefault = LValueModifyMsg::kItemDefault;

LValueHandler& Handler(const char* name)
{
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        if (std::string(table[row].name) == name)
            return BeamvistaParameterObject(row);
    }
    ADD_FAILURE() << "no parameter " << name;
    return BeamvistaParameterObject(0);
}

// Listens to every handler directly, and to the node of all preview parameters.
class ApplyTest : public LiveParametersTest
{
  protected:
    void SetUp() override
    {
        RegisterBeamvistaParameters();
        for (int32_t row = 0; row < kBeamvistaParamCount; ++row)
            ASSERT_TRUE(BeamvistaParameterObject(row).AsSource()->Connect(&handlers, 0));
        ASSERT_TRUE(node.Attach(&observer, "Beamvista", nullptr));
    }

    NotifyCounter handlers;
    NotifyCounter observer;
    LMsgRegistryFromRef node;
};

TEST_F(ApplyTest, ReadsTheHandlersDefaults)
{
    LBeamvistaPars pars;
    pars.o_fog_rot = 0;
    pars.o_bg2_filename = "x";
    pars.ReadFromParameters();
    EXPECT_TRUE(pars.IsEqual(LBeamvistaPars(), kBeamvistaAllGroups));
    EXPECT_EQ(pars.o_fog_rot, 29.12f);
    EXPECT_TRUE(pars.o_bg2_filename.IsEmpty());
}

TEST_F(ApplyTest, ShowSettingsSendTwentyEightValuesInOneTransaction)
{
    LBeamvistaPars pars;
    pars.o_graphics_force = 1;
    pars.ApplyToParameters(kBeamvistaShowGroups);
    EXPECT_EQ(handlers.changedHandlers.size(), 28u);
    EXPECT_EQ(handlers.kinds[0], 28);
    EXPECT_EQ(handlers.kinds[2], 28);
    EXPECT_EQ(observer.kinds[0], 1);
    EXPECT_EQ(observer.kinds[1], 0);
    EXPECT_EQ(observer.kinds[2], 1);
    EXPECT_EQ(Handler("o_graphics_force").GetOwnerValue()->GetInt(kItemValue), 1);
}

TEST_F(ApplyTest, AllGroupsSendEveryValueByItsType)
{
    LBeamvistaPars pars;
    pars.o_bg1_filename = "picture.png";
    pars.p0x10130 = 1;
    pars.o_fog_rot = 29.12f;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    ASSERT_EQ(handlers.changedHandlers.size(), 132u);
    int32_t counts[4] = {};
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        EXPECT_EQ(handlers.changedHandlers[&BeamvistaParameterObject(row)], 1) << table[row].name;
        ++counts[static_cast<int>(table[row].storage)];
    }
    EXPECT_EQ(counts[0] + counts[1], 59); // integer messages, 44 of them switches
    EXPECT_EQ(counts[0], 44);
    EXPECT_EQ(counts[2], 69);
    EXPECT_EQ(counts[3], 4);
    EXPECT_EQ(observer.kinds[0], 1);
    EXPECT_EQ(observer.kinds[2], 1);
    EXPECT_EQ(Handler("o_bg1_filename").GetOwnerValue()->GetString(kItemValue), "picture.png");
    EXPECT_EQ(Handler("0x10130").GetOwnerValue()->GetInt(kItemValue), 1);
    // A real goes through single precision on its way.
    EXPECT_EQ(Handler("o_fog_rot").GetOwnerValue()->GetDouble(kItemValue), static_cast<double>(29.12f));
    EXPECT_NE(Handler("o_fog_rot").GetOwnerValue()->GetDouble(kItemValue), 29.12);
}

TEST_F(ApplyTest, ValuesOutOfRangeAreClampedAndStopNothing)
{
    LBeamvistaPars pars;
    pars.o_fog_force = 7;
    pars.o_fog_intensity = -3.0f;
    pars.p0x91205 = 999;
    pars.o_line_width = 5.0f;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    EXPECT_EQ(observer.kinds[1], 0);
    EXPECT_EQ(observer.kinds[2], 1);
    LBeamvistaPars read;
    read.ReadFromParameters();
    EXPECT_EQ(read.o_fog_force, 2);
    EXPECT_EQ(read.o_fog_intensity, 0.0f);
    EXPECT_EQ(read.p0x91205, 255);
    EXPECT_EQ(read.o_line_width, 5.0f);
}

TEST_F(ApplyTest, NewValuesAreSeenBeforeTheyAreCommitted)
{
    LBeamvistaPars seenOld;
    LBeamvistaPars seenNew;
    {
        const LValueModifyMsgTx group(LValueMsg::kFlagsRecordWrite);
        LValueModifyMsgToReceiver to(Handler("o_fog_dir").AsReceiver());
        to.SendDouble(0, 45.0, kItemValue);
        seenOld.ReadFromParameters();
        seenNew.ReadNewFromParameters();
    }
    EXPECT_EQ(seenOld.o_fog_dir, -70.0f);
    EXPECT_EQ(seenNew.o_fog_dir, 45.0f);
    LBeamvistaPars after;
    after.ReadFromParameters();
    EXPECT_EQ(after.o_fog_dir, 45.0f);
}

TEST_F(ApplyTest, MakeDefaultChangesTheDefaultsOnly)
{
    const double speedBefore = Handler("o_fog_speed").GetOwnerValue()->GetDouble(kItemValue);
    LBeamvistaPars pars;
    pars.o_fog_speed = 0.5f;
    pars.o_bg0_filename = "default.bmp";
    pars.MakeDefault();
    EXPECT_TRUE(BeamvistaDefaultPars().IsEqual(pars, kBeamvistaAllGroups));
    EXPECT_EQ(BeamvistaDefaultPars().o_bg0_filename.Block(), pars.o_bg0_filename.Block());
    const LValue* speed = Handler("o_fog_speed").GetOwnerValue();
    EXPECT_EQ(speed->GetDouble(kItemDefault), static_cast<double>(0.5f));
    EXPECT_EQ(speed->GetDouble(kItemValue), speedBefore);
    EXPECT_EQ(Handler("o_bg0_filename").GetOwnerValue()->GetString(kItemDefault), "default.bmp");
    EXPECT_EQ(handlers.changedHandlers.size(), 132u);
}

TEST(LBeamvistaParsCompare, FloatsNearlyEqualOthersExactly)
{
    struct Case
    {
        float a, b;
        bool equal;
    };
    const Case cases[] = {
        {1.0f, 1.0000005f, true},
        {1.0f, 1.000002f, false},
        {0.0f, 1e-31f, true},
        {0.0f, 1e-29f, false},
    };
    for (const Case& c : cases) {
        LBeamvistaPars a;
        LBeamvistaPars b;
        a.o_fog_speed = c.a;
        b.o_fog_speed = c.b;
        EXPECT_EQ(a.IsEqual(b, kBeamvistaAllGroups), c.equal) << c.a << " " << c.b;
        EXPECT_TRUE(a.IsEqual(b, 0x02)); // the main block is not selected
    }
    LBeamvistaPars a;
    LBeamvistaPars b;
    a.o_bg0_filename = "Name.bmp";
    b.o_bg0_filename = "name.bmp";
    EXPECT_FALSE(a.IsEqual(b, kBeamvistaFileGroups));
    EXPECT_TRUE(a.IsEqual(b, kBeamvistaShowGroups));
    a.o_bg0_filename = XAString("");
    b.o_bg0_filename = XAString();
    EXPECT_TRUE(a.IsEqual(b, kBeamvistaAllGroups));
    b.p0x91205 = 116;
    EXPECT_FALSE(a.IsEqual(b, kBeamvistaAllGroups));
    EXPECT_TRUE(a.IsEqual(b, 0x1ffff)); // the extended block is left out
    EXPECT_TRUE(b.IsEqual(b, kBeamvistaAllGroups));
}

TEST(LBeamvistaParsCompare, UpdateUnchangedTakesOnlyUntouchedValues)
{
    LBeamvistaPars oldPars;
    LBeamvistaPars newPars;
    newPars.o_fog_dir = 10.0f;
    newPars.o_fog_dir2 = 11.0f;
    newPars.o_no_blending = 1; // OpenGL block: outside mask 0x10
    LBeamvistaPars pars;
    pars.o_fog_dir2 = 11.0f; // differs from old, equals new: stays
    pars.o_fog_rot = 1.0f;   // differs from old: stays
    pars.UpdateUnchanged(oldPars, newPars, kBeamvistaShowGroups);
    EXPECT_EQ(pars.o_fog_dir, 10.0f);
    EXPECT_EQ(pars.o_fog_dir2, 11.0f);
    EXPECT_EQ(pars.o_fog_rot, 1.0f);
    EXPECT_EQ(pars.o_no_blending, 0);

    LBeamvistaPars same = pars;
    same.UpdateUnchanged(newPars, newPars, kBeamvistaAllGroups);
    EXPECT_TRUE(same.IsEqual(pars, kBeamvistaAllGroups));
}

XAString ShowText(const LBeamvistaPars& pars)
{
    LArchiveXString writer;
    EXPECT_TRUE(writer.OpenWrite(0));
    pars.Write(writer, kBeamvistaShowGroups);
    const XAString text = writer.TakeString();
    writer.Close();
    return text;
}

// The way the preview lets a show's own settings take over only what the user left alone: L the
// live set, U the user's set before the show, S the show's set.
TEST(LBeamvistaParsCompare, ShowSettingsMergeWithTheUsersChanges)
{
    const uint32_t mask = kBeamvistaShowGroups;
    LBeamvistaPars stored; // what the show carries
    stored.o_fog_intensity = 5.0f;
    stored.o_line_width = 4.0f;
    stored.o_sim_freqf = 2.0f;
    LBeamvistaPars live;
    live.o_fog_intensity = 3.0f; // the user's own change

    // A show with settings opens.
    LBeamvistaPars c = live;
    LBeamvistaPars saved;
    saved.Assign(c, mask);
    LBeamvistaPars showSet;
    showSet.Assign(saved, mask);
    ASSERT_TRUE(showSet.FromString(ShowText(stored), mask));
    c.UpdateUnchanged(BeamvistaDefaultPars(), showSet, mask);
    EXPECT_EQ(c.o_fog_intensity, 3.0f); // the user's change wins
    EXPECT_EQ(c.o_line_width, 4.0f);
    EXPECT_EQ(c.o_sim_freqf, 2.0f);
    EXPECT_FALSE(c.IsEqual(live, mask));
    live = c;

    // The user changes the line width; the next show carries no settings: what the previous
    // show set goes back to the user's values, what the user changed meanwhile stays.
    live.o_line_width = 6.0f;
    c = live;
    c.UpdateUnchanged(showSet, saved, mask);
    EXPECT_EQ(c.o_line_width, 6.0f);
    EXPECT_EQ(c.o_sim_freqf, 1.0f);
    EXPECT_EQ(c.o_fog_intensity, 3.0f);
}

} // namespace
