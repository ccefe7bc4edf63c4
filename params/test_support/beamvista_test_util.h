#pragma once
// Shared by the tests of the parameters: an observer that counts value notifications, a fixture
// that puts the handlers and the generic defaults back as they were built, and a settings store
// of the test's own.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "params/beamvista_pars.h"
#include "messaging/msg_receiver_ms.h"
#include "platform/settings_store.h"
#include "messaging/value_handler.h"
#include "messaging/value_notify_msg.h"
#include "messaging/value_notify_msg_decoder.h"

class NotifyCounter : public LMsgReceiverMS, public LValueNotifyMsgDecoder
{
  public:
    bool Receive(LMsg& msg) override { return LValueNotifyMsgDecoder::Receive(msg); }
    void OnChanged(LValueNotifyMsg& msg) override { Count(0, msg); }
    void OnRolledBack(LValueNotifyMsg& msg) override { Count(1, msg); }
    void OnDone(LValueNotifyMsg& msg) override { Count(2, msg); }

    int32_t kinds[3] = {};
    // Kind-0 notifications by the handler they name.
    std::map<LValueHandler*, int32_t> changedHandlers;

  private:
    void Count(int32_t kind, LValueNotifyMsg& msg)
    {
        ++kinds[kind];
        if (kind == 0)
            ++changedHandlers[msg.handler];
    }
};

class LiveParametersTest : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        const LBeamvistaPars defaults;
        defaults.MakeDefault();
        defaults.ApplyToParameters(kBeamvistaAllGroups);
    }
};

// Points the process's settings store at a fresh database in a folder of its own while it lives,
// and gives direct access to the values of one key of the current user.
class TemporarySettingsStore
{
  public:
    TemporarySettingsStore()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "beamvista_XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "no temporary folder";
        folder_ = pattern;
        if (const char* old = std::getenv(kPathVariable))
            oldPath_ = old;
        setenv(kPathVariable, (folder_ / "registry.db").c_str(), 1);
    }
    ~TemporarySettingsStore()
    {
        if (oldPath_)
            setenv(kPathVariable, oldPath_->c_str(), 1);
        else
            unsetenv(kPathVariable);
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    TemporarySettingsStore(const TemporarySettingsStore&) = delete;
    TemporarySettingsStore& operator=(const TemporarySettingsStore&) = delete;

    static void Store(const char* keyPath, const char* name, const std::vector<uint8_t>& data)
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        std::optional<SettingsStore::KeyId> key = store->OpenKey(SettingsRoot::CurrentUser, keyPath, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(store->SetValue(*key, name, SettingsValueType::Dword, data));
    }
    static std::optional<uint32_t> Stored(const char* keyPath, const char* name)
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        std::optional<SettingsStore::KeyId> key = store->OpenKey(SettingsRoot::CurrentUser, keyPath, false);
        if (!key)
            return std::nullopt;
        std::optional<SettingsValue> value = store->GetValue(*key, name);
        return value ? DecodeSettingsDword(value->data) : std::nullopt;
    }

  private:
    static constexpr char kPathVariable[] = "ZYL_SETTINGS_DB";

    std::filesystem::path folder_;
    std::optional<std::string> oldPath_;
};

// Where the player's OpenGL switches are stored.
inline constexpr char kPlayerOpenGlKey[] = "Software\\Velquon\\RodaZI\\Zyl Player\\OpenGL";
