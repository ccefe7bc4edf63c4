#include "platform/com/cat_register.h"

#include "platform/settings_store.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

class CatRegisterTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "cat_register_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        setenv("ZYL_SETTINGS_DB", (folder_ / "registry.db").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("ZYL_SETTINGS_DB");
        std::filesystem::remove_all(folder_);
    }

    static std::string Stored(const std::string& path, const char* name)
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        const auto key = store->OpenKey(SettingsRoot::ClassesRoot, path, false);
        const auto value = key ? store->GetValue(*key, name) : std::nullopt;
        return value ? std::string(value->data.begin(), value->data.end()) : "<none>";
    }

    std::filesystem::path folder_;
};

TEST_F(CatRegisterTest, DescriptionsKeepTheir127FirstCharacters)
{
    ComPtr<ICatRegister> manager;
    ASSERT_EQ(CreateCategoryManager(reinterpret_cast<ICatRegister**>(manager.Receive())), S_OK);
    // 126 letters and then a two-byte character, which the cut keeps whole.
    const std::string description = std::string(126, 'a') + "\xC3\xA9" + "tail";
    const CategoryInfo info{CATID_SafeForScripting, 0x409, description};
    ASSERT_EQ(manager->RegisterCategories(&info, 1), S_OK);
    EXPECT_EQ(Stored("Component Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "409"),
              std::string(126, 'a') + "\xC3\xA9" + std::string(1, '\0'));

    const CLSID clsid{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    ASSERT_EQ(manager->RegisterClassImplCategories(clsid, &CATID_SafeForScripting, 1), S_OK);
    const std::string implemented = "CLSID\\" + FormatGuid(clsid) + "\\Implemented Categories\\" +
                                    FormatGuid(CATID_SafeForScripting);
    EXPECT_TRUE(CurrentSettingsStore()->OpenKey(SettingsRoot::ClassesRoot, implemented, false));
    ASSERT_EQ(manager->UnRegisterClassImplCategories(clsid, &CATID_SafeForScripting, 1), S_OK);
    EXPECT_FALSE(CurrentSettingsStore()->OpenKey(SettingsRoot::ClassesRoot, implemented, false));
}

} // namespace
