#include "activex/control_registration.h"

#include "activex/test_support/classes_root_dump.h"
#include "foundation/registry/reg_key.h"
#include "params/test_support/beamvista_test_util.h"
#include "platform/settings_store.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr char kModule[] = "/opt/zyl/libZylPlayerActiveX.so";
constexpr char kClass[] = "CLSID\\{E51706C2-4EF4-4F68-A71F-FADF92E5E39D}";
constexpr char kPage[] = "CLSID\\{AC42EBFB-F6CE-4AC0-A7C0-36DA681BE660}";
constexpr char kLibid[] = "{8FB9B314-4AC5-433F-B11F-E037F62B1BCC}";
constexpr char kTypeLib[] = "TypeLib\\{8FB9B314-4AC5-433F-B11F-E037F62B1BCC}";
constexpr char kDispatch[] = "Interface\\{E00A065D-D658-4883-99CF-EA7DBBE79DD0}";
constexpr char kEvents[] = "Interface\\{A1452EBE-1D47-4945-8F3E-5D262ED6C94B}";
constexpr char kScripting[] = "{7DD95801-9882-11CF-9FA9-00AA006C42C4}";
constexpr char kInitializing[] = "{7DD95802-9882-11CF-9FA9-00AA006C42C4}";
constexpr char kMime[] = "MIME\\Database\\Content Type\\application/x-velquon-zyl";
constexpr char kProgId[] = "Velquon.ZylPlayerActiveXCtrl.1";

std::string Cat(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const std::string& part : parts) {
        text += part;
    }
    return text;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// What stays after unregistering: the extension's content type, the full-page key, the
// categories and the media type's extension.
std::vector<std::string> KeptLines()
{
    return {
        ".zyl|Content Type=application/x-velquon-zyl",
        "CLSID",
        kClass,
        Cat({kClass, "\\EnableFullPage"}),
        Cat({kClass, "\\EnableFullPage\\.zyl"}),
        Cat({kClass, "\\Implemented Categories"}),
        Cat({kClass, "\\Implemented Categories\\", kScripting}),
        Cat({kClass, "\\Implemented Categories\\", kInitializing}),
        "Component Categories",
        Cat({"Component Categories\\", kScripting, "|409=Controls that are safely scriptable"}),
        Cat({"Component Categories\\", kInitializing, "|409=Controls safely initializable from persistent data"}),
        "MIME",
        "MIME\\Database",
        "MIME\\Database\\Content Type",
        Cat({kMime, "|Extension=.zyl"}),
    };
}

std::vector<std::string> RegisteredLines()
{
    std::vector<std::string> lines = KeptLines();
    // The class key has a default value now, so it no longer shows as a bare key.
    lines.erase(std::find(lines.begin(), lines.end(), kClass));
    const std::vector<std::string> added = {
        Cat({kClass, "|=Zyl Player ActiveX Control"}),
        Cat({kClass, "\\Control"}),
        Cat({kClass, "\\InprocServer32|=", kModule}),
        Cat({kClass, "\\MiscStatus"}),
        Cat({kClass, "\\MiscStatus\\1|=131473"}),
        Cat({kClass, "\\ProgID|=", kProgId}),
        Cat({kClass, "\\ToolboxBitmap32|=", kModule, ", 1"}),
        Cat({kClass, "\\TypeLib|=", kLibid}),
        Cat({kClass, "\\Version|=1.0"}),
        Cat({kPage, "|=Zyl Player ActiveX Property Page"}),
        Cat({kPage, "\\InprocServer32|=", kModule}),
        Cat({kMime, "|CLSID={E51706C2-4EF4-4F68-A71F-FADF92E5E39D}"}),
        Cat({kProgId, "|=Zyl Player ActiveX Control"}),
        Cat({kProgId, "\\CLSID|={E51706C2-4EF4-4F68-A71F-FADF92E5E39D}"}),
        "TypeLib",
        kTypeLib,
        Cat({kTypeLib, "\\1.0|=Zyl Player ActiveX Control module"}),
        Cat({kTypeLib, "\\1.0\\0"}),
        Cat({kTypeLib, "\\1.0\\0\\linux64|=", kModule}),
        Cat({kTypeLib, "\\1.0\\FLAGS|=0"}),
        Cat({kTypeLib, "\\1.0\\HELPDIR|=/opt/zyl"}),
        "Interface",
        Cat({kDispatch, "|=_DZylPlayerActiveX"}),
        Cat({kDispatch, "\\TypeLib|=", kLibid}),
        Cat({kDispatch, "\\TypeLib|Version=1.0"}),
        Cat({kEvents, "|=_DZylPlayerActiveXEvents"}),
        Cat({kEvents, "\\TypeLib|=", kLibid}),
        Cat({kEvents, "\\TypeLib|Version=1.0"}),
    };
    lines.insert(lines.end(), added.begin(), added.end());
    return Sorted(lines);
}

class ControlRegistrationTest : public ::testing::Test
{
  protected:
    std::vector<std::string> Dump() { return DumpClassesRoot(SettingsStore::DefaultPath()); }

    TemporarySettingsStore store_;
};

TEST_F(ControlRegistrationTest, RegisteringWritesExactlyTheseKeys)
{
    ASSERT_EQ(RegisterControlModule(kModule), S_OK);
    EXPECT_EQ(Dump(), RegisteredLines());
    // Again over itself: the same keys.
    ASSERT_EQ(RegisterControlModule(kModule), S_OK);
    EXPECT_EQ(Dump(), RegisteredLines());
}

TEST_F(ControlRegistrationTest, RegisteringOverAThreadingModelRemovesIt)
{
    LRegKey server = LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, Cat({kClass, "\\InprocServer32"}).c_str(), true);
    ASSERT_TRUE(server.WriteString("ThreadingModel", "Apartment"));
    ASSERT_EQ(RegisterControlModule(kModule), S_OK);
    EXPECT_EQ(Dump(), RegisteredLines());
}

TEST_F(ControlRegistrationTest, UnregisteringKeepsTheExtensionFullPageAndCategories)
{
    ASSERT_EQ(RegisterControlModule(kModule), S_OK);
    ASSERT_EQ(UnregisterControlModule(), S_OK);
    std::vector<std::string> expected = KeptLines();
    expected.push_back("Interface");
    expected.push_back("TypeLib");
    EXPECT_EQ(Dump(), Sorted(expected));
}

TEST_F(ControlRegistrationTest, UnregisteringWhatWasNeverRegisteredLeavesTheStoreAlone)
{
    EXPECT_EQ(UnregisterControlModule(), SELFREG_E_TYPELIB);
    EXPECT_TRUE(Dump().empty());
}

TEST_F(ControlRegistrationTest, AStoreThatRefusesWritesFailsAtTheTypeLibrary)
{
    const std::string path = SettingsStore::DefaultPath();
    std::ofstream(path) << "not a settings database";
    EXPECT_EQ(RegisterControlModule(kModule), SELFREG_E_TYPELIB);
}

} // namespace
