// The settings database file as the input: the store opens it (or leaves it alone), looks up,
// reads, writes and deletes. Nothing may crash, and what the store answers must hold together:
// a value written is read back while the store takes writes.
#include "fuzz/run_folder.h"
#include "platform/settings_store.h"
#include "platform/settings_value.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const fuzz_support::RunFolder folder;
const std::string path = folder.File("registry.db");
constexpr size_t kMostBytes = 1 << 16;
constexpr char kKey[] = "Software\\Velquon\\RodaZI\\Zyl Player";

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void RemoveStore()
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::filesystem::remove(path + suffix);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMostBytes)
        return 0;
    RemoveStore();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    {
        SettingsStore store(path);
        if (const auto found = store.OpenKey(SettingsRoot::CurrentUser, kKey, false)) {
            store.GetValue(*found, "Window");
            store.GetValue(*found, "width");
        }
        store.OpenKey(SettingsRoot::ClassesRoot, "", false);
        if (const auto key = store.OpenKey(SettingsRoot::CurrentUser, kKey, true)) {
            const auto bytes = EncodeSettingsDword(0x12345678);
            if (store.SetValue(*key, "Fuzz", SettingsValueType::Dword, bytes)) {
                const auto value = store.GetValue(*key, "FUZZ");
                Check(value && value->data == bytes);
                Check(store.DeleteValue(*key, "fuzz"));
                Check(!store.GetValue(*key, "Fuzz"));
            }
        }
        store.DeleteKey(SettingsRoot::CurrentUser, "Software\\Velquon");
    }
    RemoveStore();
    return 0;
}
