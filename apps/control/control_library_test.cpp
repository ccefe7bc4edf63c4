// The control library as a container meets it: loaded with dlopen, found by its four exports,
// registering into the settings store, making its objects through its class objects. No display.
#include "activex/test_support/classes_root_dump.h"
#include "params/test_support/beamvista_test_util.h"
#include "platform/com/class_factory.h"
#include "platform/com/dispatch.h"
#include "platform/com/module_exports.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char kLibrary[] = ZYL_CONTROL_LIBRARY;
constexpr CLSID kControlClsid{0xE51706C2, 0x4EF4, 0x4F68, {0xA7, 0x1F, 0xFA, 0xDF, 0x92, 0xE5, 0xE3, 0x9D}};
constexpr CLSID kPropPageClsid{0xAC42EBFB, 0xF6CE, 0x4AC0, {0xA7, 0xC0, 0x36, 0xDA, 0x68, 0x1B, 0xE6, 0x60}};
constexpr CLSID kUnknownClsid{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr char kClassKey[] = "CLSID\\{E51706C2-4EF4-4F68-A71F-FADF92E5E39D}";
constexpr char kTypeLibKey[] = "TypeLib\\{8FB9B314-4AC5-433F-B11F-E037F62B1BCC}\\1.0\\0\\linux64";
constexpr char kMimeClsid[] =
    "MIME\\Database\\Content Type\\application/x-velquon-zyl|CLSID={E51706C2-4EF4-4F68-A71F-FADF92E5E39D}";

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
        output += buffer.data();
    }
    pclose(pipe);
    return output;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ControlLibraryTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        handle_ = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        registerServer_ = reinterpret_cast<DllRegisterServerFunction>(dlsym(handle_, kDllRegisterServer));
        unregisterServer_ = reinterpret_cast<DllUnregisterServerFunction>(dlsym(handle_, kDllUnregisterServer));
        getClassObject_ = reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle_, kDllGetClassObject));
        canUnloadNow_ = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle_, kDllCanUnloadNow));
        ASSERT_TRUE(registerServer_ && unregisterServer_ && getClassObject_ && canUnloadNow_);
    }
    void TearDown() override
    {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }

    ComPtr<IClassFactory> Factory(const CLSID& clsid)
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject_(&clsid, &IClassFactory::kIid, factory.Receive()), S_OK);
        return factory;
    }
    std::vector<std::string> Registry() const { return DumpClassesRoot(std::getenv("ZYL_SETTINGS_DB")); }

    TemporarySettingsStore store_;
    void* handle_ = nullptr;
    DllRegisterServerFunction registerServer_ = nullptr;
    DllUnregisterServerFunction unregisterServer_ = nullptr;
    DllGetClassObjectFunction getClassObject_ = nullptr;
    DllCanUnloadNowFunction canUnloadNow_ = nullptr;
};

// Only the four exports leave the library: its copies of our libraries and of the toolkit's
// classes never bind to the host's.
TEST_F(ControlLibraryTest, ExportsExactlyTheFourFunctions)
{
    std::istringstream lines(RunCommand(std::string("nm -D --defined-only --format=just-symbols '") + kLibrary + "'"));
    std::set<std::string> symbols;
    for (std::string line; std::getline(lines, line);) {
        symbols.insert(line);
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                              "DllUnregisterServer"}));
}

// The in-process server and the type library name the library's own file; unregistering takes
// the class and keeps the rest.
TEST_F(ControlLibraryTest, RegistersItsOwnFileAndUnregisters)
{
    const std::string path = std::filesystem::canonical(kLibrary).string();
    ASSERT_EQ(registerServer_(), S_OK);
    std::vector<std::string> lines = Registry();
    EXPECT_TRUE(Contains(lines, std::string(kClassKey) + "\\InprocServer32|=" + path));
    EXPECT_TRUE(Contains(lines, std::string(kTypeLibKey) + "|=" + path));
    EXPECT_TRUE(Contains(lines, kMimeClsid));

    ASSERT_EQ(unregisterServer_(), S_OK);
    lines = Registry();
    EXPECT_FALSE(Contains(lines, std::string(kClassKey) + "\\InprocServer32|=" + path));
    EXPECT_FALSE(Contains(lines, kMimeClsid));
    EXPECT_TRUE(Contains(lines, ".zyl|Content Type=application/x-velquon-zyl"));
    EXPECT_TRUE(Contains(lines, std::string(kClassKey) + "\\EnableFullPage\\.zyl"));
    // A second unregistration finds no type library.
    EXPECT_EQ(unregisterServer_(), static_cast<HRESULT>(0x80040200));
}

TEST_F(ControlLibraryTest, ClassObjectsOfItsTwoClassesOnly)
{
    EXPECT_TRUE(Factory(kControlClsid));
    EXPECT_TRUE(Factory(kPropPageClsid));
    ComPtr<IClassFactory> none;
    EXPECT_EQ(getClassObject_(&kUnknownClsid, &IClassFactory::kIid, none.Receive()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(none);
    EXPECT_EQ(getClassObject_(nullptr, &IClassFactory::kIid, none.Receive()), E_INVALIDARG);
}

// A live object or a lock keeps the library in use; class objects themselves do not.
TEST_F(ControlLibraryTest, CanUnloadOnlyWithoutObjectsAndLocks)
{
    ComPtr<IClassFactory> factory = Factory(kControlClsid);
    ASSERT_TRUE(factory);
    EXPECT_EQ(canUnloadNow_(), S_OK);

    ComPtr<IDispatch> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IDispatch::kIid, control.Receive()), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    control.Reset();
    EXPECT_EQ(canUnloadNow_(), S_OK);

    ASSERT_EQ(factory->LockServer(true), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_FALSE);
    ASSERT_EQ(factory->LockServer(false), S_OK);
    EXPECT_EQ(canUnloadNow_(), S_OK);
}

// The control answers with the library's own version record: 1.0.0.1.
TEST_F(ControlLibraryTest, ControlReportsTheLibrarysVersionRecord)
{
    ComPtr<IDispatch> control;
    ASSERT_EQ(Factory(kControlClsid)->CreateInstance(nullptr, IDispatch::kIid, control.Receive()), S_OK);
    DISPID id = 0;
    ASSERT_EQ(control->GetIDsOfNames("getversionx", &id), S_OK);
    ZVariant version;
    ASSERT_EQ(control->Invoke(id, kDispatchMethod, {}, &version), S_OK);
    EXPECT_EQ(version.Text(), "0001000000000001");
}

} // namespace
