#include "foundation/registry/reg_key.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr char kPathVariable[] = "ZYL_SETTINGS_DB";

// Points the process's settings store at a fresh database for the lifetime of the test.
class RegKeyTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "reg_key_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        if (const char* old = std::getenv(kPathVariable)) {
            oldPath_ = old;
        }
        UseStore(folder_ / "registry.db");
    }
    void TearDown() override
    {
        if (oldPath_) {
            setenv(kPathVariable, oldPath_->c_str(), 1);
        } else {
            unsetenv(kPathVariable);
        }
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    void UseStore(const fs::path& path) { setenv(kPathVariable, path.c_str(), 1); }

    // The value at a full key path, read past LRegKey.
    std::optional<SettingsValue> StoredValue(SettingsRoot root, const char* keyPath, const char* name)
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        std::optional<SettingsStore::KeyId> key = store->OpenKey(root, keyPath, false);
        return key ? store->GetValue(*key, name) : std::nullopt;
    }

    void Store(const char* keyPath, const char* name, SettingsValueType type,
               const std::vector<uint8_t>& data)
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        std::optional<SettingsStore::KeyId> key = store->OpenKey(SettingsRoot::CurrentUser, keyPath, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(store->SetValue(*key, name, type, data));
    }

    fs::path folder_;
    std::optional<std::string> oldPath_;
};

struct PathCase
{
    const char* path;
    SettingsRoot root;
    const char* keyPath; // where the key lies below the root
};

TEST_F(RegKeyTest, OpenPlacesKeyByThePathRules)
{
    const PathCase cases[] = {
        {"Zyl Player", SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI\\Zyl Player"},
        {"Zyl Player\\Window", SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI\\Zyl Player\\Window"},
        {"Zyl Player/OpenGL", SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI\\Zyl Player/OpenGL"},
        {"", SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI"},
        {nullptr, SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI"},
        {"\\Top\\Key", SettingsRoot::CurrentUser, "Top\\Key"},
        {"/Top", SettingsRoot::CurrentUser, "Top"},
        {"\\", SettingsRoot::CurrentUser, ""},
        {"\\.zyl", SettingsRoot::ClassesRoot, ".zyl"},
        {"CLSID\\{X}", SettingsRoot::ClassesRoot, "CLSID\\{X}"},
        {"MIME\\Database\\Content Type\\application/x-velquon-zyl", SettingsRoot::ClassesRoot,
         "MIME\\Database\\Content Type\\application/x-velquon-zyl"},
        {"", SettingsRoot::ClassesRoot, ""},
    };
    uint32_t mark = 0;
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path != nullptr ? c.path : "(null)");
        LRegKey key("unused", false);
        ASSERT_TRUE(key.Open(c.path, false, c.root));
        ASSERT_TRUE(key.WriteDword("Mark", ++mark));
        const std::optional<SettingsValue> stored = StoredValue(c.root, c.keyPath, "Mark");
        ASSERT_TRUE(stored);
        EXPECT_EQ(DecodeSettingsDword(stored->data), mark);
    }
}

TEST_F(RegKeyTest, ConstructorOpensProgramKeyOfCurrentUserCreatingIt)
{
    ASSERT_FALSE(
        CurrentSettingsStore()->OpenKey(SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI", false));
    LRegKey key("Zyl Player", false);
    EXPECT_TRUE(key.IsOpen());
    EXPECT_TRUE(CurrentSettingsStore()->OpenKey(SettingsRoot::CurrentUser,
                                                 "Software\\Velquon\\RodaZI\\Zyl Player", false));
}

TEST_F(RegKeyTest, LeadingBackslashLiesBelowRootNotBelowProgramKey)
{
    LRegKey key("\\Zyl Player", true);
    ASSERT_TRUE(key.WriteInt("Left", 5));
    EXPECT_TRUE(StoredValue(SettingsRoot::CurrentUser, "Zyl Player", "Left"));
    EXPECT_FALSE(StoredValue(SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI\\Zyl Player", "Left"));
}

TEST_F(RegKeyTest, WritesStoreFourByteDwords)
{
    LRegKey key("Zyl Player", true);
    ASSERT_TRUE(key.WriteDword("Dword", 0x12345678));
    ASSERT_TRUE(key.WriteInt("Int", -2));
    ASSERT_TRUE(key.WriteBool("True", true));
    ASSERT_TRUE(key.WriteBool("False", false));
    const struct
    {
        const char* name;
        std::vector<uint8_t> bytes;
    } expected[] = {
        {"Dword", {0x78, 0x56, 0x34, 0x12}},
        {"Int", {0xfe, 0xff, 0xff, 0xff}},
        {"True", {1, 0, 0, 0}},
        {"False", {0, 0, 0, 0}},
    };
    for (const auto& e : expected) {
        const std::optional<SettingsValue> stored =
            StoredValue(SettingsRoot::CurrentUser, "Software\\Velquon\\RodaZI\\Zyl Player", e.name);
        ASSERT_TRUE(stored) << e.name;
        EXPECT_EQ(stored->type, SettingsValueType::Dword) << e.name;
        EXPECT_EQ(stored->data, e.bytes) << e.name;
    }
}

struct ReadCase
{
    const char* label;
    SettingsValueType type;
    std::vector<uint8_t> data;
    bool found;
    uint32_t dword;
    int32_t integer;
    bool flag;
};

TEST_F(RegKeyTest, ReadsTakeOnlyValuesOfExactlyFourBytes)
{
    constexpr uint32_t kDefaultDword = 0xdefau;
    constexpr int32_t kDefaultInt = -77;
    const ReadCase cases[] = {
        {"seven", SettingsValueType::Dword, {7, 0, 0, 0}, true, 7, 7, true},
        {"two reads as true", SettingsValueType::Dword, {2, 0, 0, 0}, true, 2, 2, true},
        {"zero", SettingsValueType::Dword, {0, 0, 0, 0}, true, 0, 0, false},
        {"all bits", SettingsValueType::Dword, {0xff, 0xff, 0xff, 0xff}, true, 0xffffffff, -1, true},
        {"type not tested", SettingsValueType::Binary, {1, 0, 0, 0}, true, 1, 1, true},
        {"eight-byte number", SettingsValueType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}, false, 0, 0, false},
        {"two bytes", SettingsValueType::Dword, {1, 0}, false, 0, 0, false},
        {"empty", SettingsValueType::Binary, {}, false, 0, 0, false},
        {"text", SettingsValueType::String, {'1', '2', '3', 0}, true, 0x00333231, 0x00333231, true},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.label);
        Store("Software\\Velquon\\RodaZI\\Read", "Value", c.type, c.data);
        LRegKey key("Read", false);
        uint32_t dword = kDefaultDword;
        int32_t integer = kDefaultInt;
        bool flag = true;
        bool flagFalse = false;
        EXPECT_EQ(key.ReadDword("value", dword), c.found);
        EXPECT_EQ(key.ReadInt("VALUE", integer), c.found);
        EXPECT_EQ(key.ReadBool("Value", flag), c.found);
        EXPECT_EQ(key.ReadBool("Value", flagFalse), c.found);
        EXPECT_EQ(dword, c.found ? c.dword : kDefaultDword);
        EXPECT_EQ(integer, c.found ? c.integer : kDefaultInt);
        if (c.found) {
            EXPECT_EQ(flag, c.flag);
            EXPECT_EQ(flagFalse, c.flag);
        } else {
            EXPECT_TRUE(flag);
            EXPECT_FALSE(flagFalse);
        }
    }
}

TEST_F(RegKeyTest, MissingValueLeavesDefault)
{
    LRegKey key("Zyl Player", false);
    uint32_t dword = 9;
    EXPECT_FALSE(key.ReadDword("Absent", dword));
    EXPECT_FALSE(key.ReadDword(nullptr, dword));
    EXPECT_EQ(dword, 9u);
}

TEST_F(RegKeyTest, ClosedKeyReadsNothingAndWritesNothing)
{
    LRegKey key("Zyl Player", true);
    ASSERT_TRUE(key.WriteDword("Width", 640));
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    uint32_t width = 1;
    EXPECT_FALSE(key.ReadDword("Width", width));
    EXPECT_EQ(width, 1u);
    EXPECT_FALSE(key.WriteDword("Width", 800));
}

TEST_F(RegKeyTest, UnusableStoreKeepsDefaultsAndRefusesWrites)
{
    const fs::path plainFile = folder_ / "plain-file";
    std::ofstream(plainFile) << "x";
    UseStore(plainFile / "registry.db");
    LRegKey key("Zyl Player", true);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.WriteDword("Width", 800));
    EXPECT_FALSE(key.WriteBool("Flag", true));
    int32_t width = 640;
    bool flag = false;
    EXPECT_FALSE(key.ReadInt("Width", width));
    EXPECT_FALSE(key.ReadBool("Flag", flag));
    EXPECT_EQ(width, 640);
    EXPECT_FALSE(flag);
}

TEST_F(RegKeyTest, FailedOpenClosesThePreviousKey)
{
    LRegKey key("Zyl Player", true);
    ASSERT_TRUE(key.IsOpen());
    const fs::path plainFile = folder_ / "plain-file";
    std::ofstream(plainFile) << "x";
    UseStore(plainFile / "registry.db");
    EXPECT_FALSE(key.Open("Zyl Player", true, SettingsRoot::CurrentUser));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.WriteDword("Width", 800));
}

TEST_F(RegKeyTest, ClassesRootKeysHoldTextValues)
{
    // Opening without creating finds nothing and makes nothing.
    LRegKey missing = LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, ".zyl", false);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.WriteString("Content Type", "x"));
    EXPECT_FALSE(missing.DeleteValue("Content Type"));
    EXPECT_FALSE(CurrentSettingsStore()->OpenKey(SettingsRoot::ClassesRoot, ".zyl", false));

    LRegKey key = LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, ".zyl", true);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_TRUE(key.IsEmpty());
    ASSERT_TRUE(key.WriteString("Content Type", "application/x-velquon-zyl"));
    ASSERT_TRUE(key.WriteString(nullptr, nullptr));
    // Known bytes: the text and one zero byte; an absent text is one zero byte.
    const std::optional<SettingsValue> stored = StoredValue(SettingsRoot::ClassesRoot, ".zyl", "Content Type");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, SettingsValueType::String);
    const std::string text = "application/x-velquon-zyl";
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    EXPECT_EQ(stored->data, bytes);
    EXPECT_EQ(StoredValue(SettingsRoot::ClassesRoot, ".zyl", "")->data, std::vector<uint8_t>{0});
    XAString read;
    ASSERT_TRUE(key.ReadString("content type", read));
    EXPECT_STREQ(read.CStr(), "application/x-velquon-zyl");
    EXPECT_FALSE(key.IsEmpty());

    EXPECT_TRUE(key.DeleteValue("Content Type"));
    EXPECT_FALSE(key.DeleteValue("Content Type"));
    EXPECT_TRUE(key.DeleteValue(nullptr));
    EXPECT_TRUE(key.IsEmpty());
    LRegKey sub = LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, ".zyl\\Sub", true);
    EXPECT_FALSE(key.IsEmpty());
    EXPECT_TRUE(LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, ".zyl"));
    EXPECT_FALSE(LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, ".zyl"));
}

} // namespace
