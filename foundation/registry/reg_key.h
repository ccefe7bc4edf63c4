// LRegKey: one open key of the settings store, through which the program keeps its settings as
// 32-bit numbers. Relative paths lie below the program's own key "Software\Velquon\RodaZI" of
// the current user. A key that could not be opened stays closed: its writes return false and its
// reads leave the caller's defaults alone.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "foundation/strings/xa_string.h"
#include "platform/settings_store.h"

class LRegKey
{
  public:
    // Opens, creating when missing, the key at subKey below the current user's root.
    LRegKey(const char* subKey, bool write);
    ~LRegKey();
    LRegKey(const LRegKey&) = delete;
    LRegKey& operator=(const LRegKey&) = delete;
    LRegKey(LRegKey&&) noexcept = default;
    LRegKey& operator=(LRegKey&&) noexcept = default;

    // The key at path below root (below HKEY_CLASSES_ROOT directly, below the current user by
    // the usual rules), created when missing only with create; closed when it cannot be had.
    static LRegKey LRegKeyWithRoot(SettingsRoot root, const char* path, bool create);
    // Deletes the key at path below root with everything below it; false when there was none.
    static bool DeleteKeyWithRoot(SettingsRoot root, const char* path);

    // Closes any open key, then opens, creating when missing, the key at path below root:
    // a path with a leading '\' or '/' lies directly below root, any other path below the
    // program's own key (below HKEY_CLASSES_ROOT: directly below the root). write records the
    // caller's intent only; the key is writable either way.
    bool Open(const char* path, bool write, SettingsRoot root);
    void Close();
    bool IsOpen() const { return key_.has_value(); }

    bool WriteDword(const char* name, uint32_t value);
    bool WriteInt(const char* name, int32_t value);
    bool WriteBool(const char* name, bool value);

    // True and the value when it exists and is exactly 4 bytes long, whatever its type;
    // otherwise false and the output untouched.
    bool ReadDword(const char* name, uint32_t& value);
    bool ReadInt(const char* name, int32_t& value);
    // Any non-zero number reads as true.
    bool ReadBool(const char* name, bool& value);

    // A text value (null or empty name: the key's default value): the text and one zero byte.
    // False without an open key or when the store refuses it.
    bool WriteString(const char* name, const char* text);
    // True and the text when a text value of that name exists.
    bool ReadString(const char* name, XAString& text);
    // False without an open key or when there was no such value.
    bool DeleteValue(const char* name);
    // True when the key holds neither values nor keys.
    bool IsEmpty();

  private:
    LRegKey() = default;
    bool OpenFull(SettingsRoot root, std::string_view fullPath, bool create);

    std::shared_ptr<SettingsStore> store_;
    std::optional<SettingsStore::KeyId> key_;
    bool write_ = false;
};
