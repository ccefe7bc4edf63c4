// The settings store: a tree of keys below two roots, each key holding named, typed values.
//
// One SQLite database holds the settings of every process of the user, so that the player and
// the control in another process share them: every write is one transaction, the database runs
// in WAL mode and waits for a busy writer instead of failing at once.
//
// Contract:
// - A key path is split on '\' only; '/' is an ordinary character of a key name. Empty parts
//   (a leading, trailing or doubled '\') are skipped, so the empty path is the root itself.
// - Key and value names compare without regard to ASCII case; a name keeps the letter case it
//   was first written with.
// - A value is stored with its type and its exact bytes; nothing converts between types.
// - A store that cannot be opened (missing folder, not a database, a newer format, a database
//   of another program) answers every read with nothing and every write with false, and leaves
//   the file as it found it. A store that may only be read (a read-only file or folder) answers
//   reads and refuses writes. No call throws.
// - One store object may be used from several threads; its calls are serialised.
// - A failure leaves SQLite's own reason in LastError().
// - CurrentSettingsStore() is the process's store; SetSettingsStore() and ScopedSettingsStore put
//   another in place (tests use a temporary database), while no other thread uses the store.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/scoped_service.h"
#include "platform/settings_value.h"

enum class SettingsRoot { CurrentUser, ClassesRoot };

class SettingsStore
{
  public:
    using KeyId = int64_t;

    // Opens or creates the database at path, creating its folder when needed.
    explicit SettingsStore(std::string path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // $ZYL_SETTINGS_DB when set, else registry.db in the program's folder of the user's
    // configuration ($XDG_CONFIG_HOME, by default ~/.config).
    static std::string DefaultPath();
    const std::string& Path() const { return path_; }
    bool IsOpen() const;
    // Why the store could not be opened, or why the last call that failed failed, in SQLite's words.
    std::string LastError() const;

    // The key at path below root; with create, the key and any missing key above it are made.
    std::optional<KeyId> OpenKey(SettingsRoot root, std::string_view path, bool create);
    // Sets or replaces a value; false when the key no longer exists or the write failed.
    bool SetValue(KeyId key, std::string_view name, SettingsValueType type, std::span<const uint8_t> data);
    std::optional<SettingsValue> GetValue(KeyId key, std::string_view name);
    // False when there was no such value.
    bool DeleteValue(KeyId key, std::string_view name);
    // True when the key holds neither values nor keys (also when it no longer exists).
    bool IsEmptyKey(KeyId key);
    // Deletes the key with all keys and values below it; a root cannot be deleted.
    bool DeleteKey(SettingsRoot root, std::string_view path);

  private:
    class Database;

    std::string path_;
    mutable std::mutex mutex_;
    std::string openError_; // filled while database_ opens
    std::unique_ptr<Database> database_;
};

// The store in use, never null: the one set, else the process's store at DefaultPath(), opened
// once and kept while that path stays the same (one that could not be opened is returned but not
// kept, so the next call tries again).
std::shared_ptr<SettingsStore> CurrentSettingsStore();
// Puts store in place (null: the process's store again) and returns the one it replaces (null for
// the process's). The caller keeps store alive while it is in place.
SettingsStore* SetSettingsStore(SettingsStore* store);
using ScopedSettingsStore = ScopedService<SettingsStore, SetSettingsStore>;
