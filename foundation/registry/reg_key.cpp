#include "foundation/registry/reg_key.h"

#include "foundation/strings/xa_string.h"

namespace {

constexpr char kProgramKey[] = "Software\\Velquon\\RodaZI";
// Key paths always join with a backslash: a '/' would become part of a key name.
constexpr char kKeySeparator[] = "\\";

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

XAString FullKeyPath(const char* path, SettingsRoot root)
{
    const XAString relative(path);
    if (!relative.IsEmpty() && IsSeparator(relative.CStr()[0])) {
        return relative.Sub(1, relative.Length());
    }
    if (root == SettingsRoot::ClassesRoot) {
        return relative;
    }
    if (relative.IsEmpty()) {
        return XAString(kProgramKey);
    }
    return XAString(kProgramKey) + kKeySeparator + relative;
}

std::string_view NameOf(const char* name)
{
    return name != nullptr ? std::string_view(name) : std::string_view();
}

} // namespace

LRegKey::LRegKey(const char* subKey, bool write)
{
    Open(subKey, write, SettingsRoot::CurrentUser);
}

LRegKey::~LRegKey()
{
    Close();
}

bool LRegKey::Open(const char* path, bool write, SettingsRoot root)
{
    if (!OpenFull(root, FullKeyPath(path, root).View(), true)) {
        return false;
    }
    write_ = write;
    return true;
}

bool LRegKey::OpenFull(SettingsRoot root, std::string_view fullPath, bool create)
{
    Close();
    std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
    const std::optional<SettingsStore::KeyId> key = store->OpenKey(root, fullPath, create);
    if (!key) {
        return false;
    }
    store_ = std::move(store);
    key_ = key;
    return true;
}

LRegKey LRegKey::LRegKeyWithRoot(SettingsRoot root, const char* path, bool create)
{
    LRegKey key;
    key.OpenFull(root, FullKeyPath(path, root).View(), create);
    key.write_ = create;
    return key;
}

bool LRegKey::DeleteKeyWithRoot(SettingsRoot root, const char* path)
{
    return CurrentSettingsStore()->DeleteKey(root, FullKeyPath(path, root).View());
}

void LRegKey::Close()
{
    store_.reset();
    key_.reset();
    write_ = false;
}

bool LRegKey::WriteDword(const char* name, uint32_t value)
{
    return IsOpen() &&
           store_->SetValue(*key_, NameOf(name), SettingsValueType::Dword, EncodeSettingsDword(value));
}

bool LRegKey::WriteInt(const char* name, int32_t value)
{
    return WriteDword(name, static_cast<uint32_t>(value));
}

bool LRegKey::WriteBool(const char* name, bool value)
{
    return WriteDword(name, value ? 1 : 0);
}

bool LRegKey::ReadDword(const char* name, uint32_t& value)
{
    if (!IsOpen()) {
        return false;
    }
    const std::optional<SettingsValue> stored = store_->GetValue(*key_, NameOf(name));
    const std::optional<uint32_t> number = stored ? DecodeSettingsDword(stored->data) : std::nullopt;
    if (!number) {
        return false;
    }
    value = *number;
    return true;
}

bool LRegKey::ReadInt(const char* name, int32_t& value)
{
    uint32_t number = 0;
    if (!ReadDword(name, number)) {
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
}

bool LRegKey::ReadBool(const char* name, bool& value)
{
    uint32_t number = 0;
    if (!ReadDword(name, number)) {
        return false;
    }
    value = number != 0;
    return true;
}

bool LRegKey::WriteString(const char* name, const char* text)
{
    return IsOpen() && store_->SetValue(*key_, NameOf(name), SettingsValueType::String,
                                        EncodeSettingsString(text != nullptr ? text : ""));
}

bool LRegKey::ReadString(const char* name, XAString& text)
{
    if (!IsOpen()) {
        return false;
    }
    const std::optional<SettingsValue> stored = store_->GetValue(*key_, NameOf(name));
    if (!stored || stored->type != SettingsValueType::String) {
        return false;
    }
    // The stored text ends in one zero byte, which is not part of it.
    const std::vector<uint8_t>& data = stored->data;
    size_t length = data.size();
    while (length > 0 && data[length - 1] == 0) {
        --length;
    }
    text = XAString(std::string_view(reinterpret_cast<const char*>(data.data()), length));
    return true;
}

bool LRegKey::DeleteValue(const char* name)
{
    return IsOpen() && store_->DeleteValue(*key_, NameOf(name));
}

bool LRegKey::IsEmpty()
{
    return IsOpen() && store_->IsEmptyKey(*key_);
}
