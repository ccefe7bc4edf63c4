#include "apps/host/embedding/registered_class.h"

#include "activex/control_registration.h"
#include "params/test_support/beamvista_test_util.h"

#include <gtest/gtest.h>

namespace {

constexpr CLSID kControl{0xE51706C2, 0x4EF4, 0x4F68, {0xA7, 0x1F, 0xFA, 0xDF, 0x92, 0xE5, 0xE3, 0x9D}};

// The container finds the control by the names its registration writes.
TEST(RegisteredClassTest, FindsTheControlByProgIdMediaTypeAndClass)
{
    TemporarySettingsStore store;
    EXPECT_FALSE(ClassOfProgId("Velquon.ZylPlayerActiveXCtrl.1"));
    EXPECT_EQ(InprocServerOf(kControl), "");

    ASSERT_EQ(RegisterControlModule("/opt/zyl/libZylPlayerActiveX.so"), S_OK);
    EXPECT_EQ(ClassOfProgId("Velquon.ZylPlayerActiveXCtrl.1"), kControl);
    EXPECT_EQ(ClassOfProgId("velquon.zylplayeractivexctrl.1"), kControl);
    EXPECT_EQ(ClassOfMediaType("application/x-velquon-zyl"), kControl);
    EXPECT_FALSE(ClassOfMediaType("application/x-other"));
    EXPECT_EQ(InprocServerOf(kControl), "/opt/zyl/libZylPlayerActiveX.so");

    // After unregistering, the media type's key stays but names no class.
    ASSERT_EQ(UnregisterControlModule(), S_OK);
    EXPECT_FALSE(ClassOfMediaType("application/x-velquon-zyl"));
    EXPECT_EQ(InprocServerOf(kControl), "");
}

} // namespace
