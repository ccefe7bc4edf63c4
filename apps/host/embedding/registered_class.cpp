#include "apps/host/embedding/registered_class.h"

#include "foundation/registry/reg_key.h"

namespace {

std::optional<std::string> ReadText(const std::string& path, const char* name)
{
    LRegKey key = LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, path.c_str(), false);
    XAString text;
    if (!key.IsOpen() || !key.ReadString(name, text)) {
        return std::nullopt;
    }
    return std::string(text.CStr());
}

std::optional<CLSID> ReadClass(const std::string& path, const char* name)
{
    const std::optional<std::string> text = ReadText(path, name);
    return text ? ParseGuid(*text) : std::nullopt;
}

} // namespace

std::optional<CLSID> ClassOfProgId(const std::string& progId)
{
    return ReadClass(progId + "\\CLSID", nullptr);
}

std::optional<CLSID> ClassOfMediaType(const std::string& type)
{
    return ReadClass("MIME\\Database\\Content Type\\" + type, "CLSID");
}

std::string InprocServerOf(const CLSID& clsid)
{
    return ReadText("CLSID\\" + FormatGuid(clsid) + "\\InprocServer32", nullptr).value_or(std::string());
}
