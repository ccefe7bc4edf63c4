#include "params/beamvista_registration.h"

#include <gtest/gtest.h>

#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_param_table.h"
#include "params/internal/beamvista_parameter_key.h"
#include "params/beamvista_parameter_objects.h"
#include "params/test_support/beamvista_test_util.h"
#include "messaging/value_handler_to_ref.h"
#include "messaging/value_msg_to.h"

namespace {

constexpr int32_t kItemValue = LValueModifyMsg::kItemValue;
constexpr int32_t kFogDirRow = 20;
constexpr int32_t kForceGenericRow = 23;

// Some tests need a process in which nothing has registered the parameters yet, as each test
// has when the tests run one process each.
#define SKIP_WHEN_REGISTERED()                                                                               \
    if (BeamvistaParametersRegistered())                                                                     \
    GTEST_SKIP() << "needs a process of its own"

void SetFogDir(double value)
{
    LValueModifyMsgToReceiver to(BeamvistaParameterObject(kFogDirRow).AsReceiver());
    to.SendDouble(LValueMsg::kFlagsRecordWrite, value, kItemValue);
}

double FogDir()
{
    return BeamvistaParameterObject(kFogDirRow).GetOwnerValue()->GetDouble(kItemValue);
}

class RegistrationTest : public LiveParametersTest
{
  protected:
    void TearDown() override
    {
        SetBeamvistaRegistryBase("");
        LiveParametersTest::TearDown();
    }

    TemporarySettingsStore store;
};

TEST_F(RegistrationTest, EveryKeyFindsItsHandlerOnce)
{
    RegisterBeamvistaParameters();
    RegisterBeamvistaParameters();
    ASSERT_TRUE(BeamvistaParametersRegistered());
    const auto table = BeamvistaParamTable();
    for (int32_t row = 0; row < kBeamvistaParamCount; ++row) {
        LValueHandler& handler = BeamvistaParameterObject(row);
        EXPECT_EQ(handler.SourceCount(), 1) << table[row].name; // its node, once
        LValueHandlerToRef ref;
        ref.Bind(BeamvistaParameterKey(table[row].name), nullptr);
        EXPECT_EQ(ref.GetHandler(), &handler) << table[row].name;
        EXPECT_TRUE(handler.GetOwnerValue()->IsDefaultMarked()) << table[row].name;
    }
    EXPECT_EQ(FogDir(), -70.0);
    EXPECT_TRUE(BeamvistaParameterObject(kFogDirRow).GetOwnerValue()->IsAtDefault(kItemValue));
}

TEST_F(RegistrationTest, WithoutABaseNothingIsApplied)
{
    SKIP_WHEN_REGISTERED();
    EXPECT_FALSE(BeamvistaParameterObject(kFogDirRow).GetOwnerValue()->IsDefaultMarked());
    SetFogDir(12.0);
    RegisterBeamvistaParameters();
    EXPECT_EQ(FogDir(), 12.0);
}

TEST_F(RegistrationTest, WithABaseTheStoredSwitchesOverTheDefaults)
{
    SKIP_WHEN_REGISTERED();
    for (const char* name : {"ForceGeneric", "EnhancedLines", "BeamProfile", "PolygonSmooth", "Fog3d"})
        TemporarySettingsStore::Store(kPlayerOpenGlKey, name, EncodeSettingsDword(1));
    SetFogDir(12.0);
    SetBeamvistaRegistryBase("Zyl Player"); // not registered yet: nothing applied
    EXPECT_EQ(FogDir(), 12.0);
    RegisterBeamvistaParameters();
    EXPECT_EQ(FogDir(), -70.0);
    EXPECT_EQ(BeamvistaParameterObject(kForceGenericRow).GetOwnerValue()->GetInt(kItemValue), 1);
}

TEST_F(RegistrationTest, SettingTheBaseLaterAppliesUnlessItIsTheSame)
{
    RegisterBeamvistaParameters();
    TemporarySettingsStore::Store(kPlayerOpenGlKey, "ForceGeneric", EncodeSettingsDword(1));
    SetFogDir(12.0);
    SetBeamvistaRegistryBase("Zyl Player");
    // The stored key lacks four of the switches: the generic defaults are applied all the same.
    EXPECT_EQ(FogDir(), -70.0);
    EXPECT_EQ(BeamvistaParameterObject(kForceGenericRow).GetOwnerValue()->GetInt(kItemValue), 1);

    SetFogDir(12.0);
    SetBeamvistaRegistryBase("ZYL PLAYER");
    EXPECT_EQ(FogDir(), 12.0);
    EXPECT_EQ(std::string(BeamvistaRegistryBase().View()), "Zyl Player");
}

} // namespace
