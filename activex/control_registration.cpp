#include "activex/control_registration.h"

#include "activex/control_identity.h"
#include "activex/control_type_library.h"
#include "foundation/registry/reg_key.h"
#include "platform/com/cat_register.h"

#include <string>

namespace {

constexpr uint32_t kEnglishLocale = 0x409;
constexpr char kScriptingDescription[] = "Controls that are safely scriptable";
constexpr char kInitializingDescription[] = "Controls safely initializable from persistent data";
constexpr char kToolboxBitmapSuffix[] = ", 1";
constexpr char kTypeLibPlatform[] = "0\\linux64";

// The value names; the default value of a key has no name.
constexpr const char* kDefault = nullptr;
constexpr char kContentType[] = "Content Type";
constexpr char kExtension[] = "Extension";
constexpr char kClsidValue[] = "CLSID";
constexpr char kThreadingModel[] = "ThreadingModel";
constexpr char kVersionValue[] = "Version";

// The class key's sub-keys that the class registration writes and its unregistration removes.
constexpr const char* kClassSubKeys[] = {"InprocServer32", "ProgID", "Control", "ToolboxBitmap32",
                                         "MiscStatus", "TypeLib", "Version"};

std::string ClassKey(const CLSID& clsid)
{
    return "CLSID\\" + FormatGuid(clsid);
}

std::string TypeLibKey()
{
    return "TypeLib\\" + FormatGuid(kControlLibid);
}

std::string MimeKey()
{
    return std::string("MIME\\Database\\Content Type\\") + kControlMimeType;
}

LRegKey Key(const std::string& path, bool create)
{
    return LRegKey::LRegKeyWithRoot(SettingsRoot::ClassesRoot, path.c_str(), create);
}

bool WriteKey(const std::string& path, const char* name, const std::string& text)
{
    return Key(path, true).WriteString(name, text.c_str());
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A failure of either step is ignored by the caller.
HRESULT CreateComponentCategory(const GUID& catid, const char* description)
{
    ComPtr<ICatRegister> manager;
    HRESULT result = CreateCategoryManager(reinterpret_cast<ICatRegister**>(manager.Receive()));
    if (Failed(result)) {
        return result;
    }
    const CategoryInfo info{catid, kEnglishLocale, description};
    return manager->RegisterCategories(&info, 1);
}

HRESULT RegisterClsidInCategory(const CLSID& clsid, const GUID& catid)
{
    ComPtr<ICatRegister> manager;
    HRESULT result = CreateCategoryManager(reinterpret_cast<ICatRegister**>(manager.Receive()));
    if (Failed(result)) {
        return result;
    }
    return manager->RegisterClassImplCategories(clsid, &catid, 1);
}

void RegisterCategories()
{
    if (Succeeded(CreateComponentCategory(CATID_SafeForScripting, kScriptingDescription))) {
        RegisterClsidInCategory(kControlClsid, CATID_SafeForScripting);
    }
    if (Succeeded(CreateComponentCategory(CATID_SafeForInitializing, kInitializingDescription))) {
        RegisterClsidInCategory(kControlClsid, CATID_SafeForInitializing);
    }
}

bool RegisterTypeLib(const std::string& modulePath)
{
    const std::string version = TypeLibKey() + "\\" + kControlLibVersion;
    bool ok = WriteKey(version, kDefault, kControlLibDescription) &&
              WriteKey(version + "\\" + kTypeLibPlatform, kDefault, modulePath) &&
              WriteKey(version + "\\FLAGS", kDefault, "0") && WriteKey(version + "\\HELPDIR", kDefault, FolderOf(modulePath));
    for (const TypeDescription* type : {&ControlDispatchType(), &ControlEventsType()}) {
        const std::string key = "Interface\\" + FormatGuid(type->guid);
        ok = ok && WriteKey(key, kDefault, type->name) && WriteKey(key + "\\TypeLib", kDefault, FormatGuid(kControlLibid)) &&
             WriteKey(key + "\\TypeLib", kVersionValue, kControlLibVersion);
    }
    return ok;
}

bool UnregisterTypeLib()
{
    const std::string version = TypeLibKey() + "\\" + kControlLibVersion;
    if (!Key(version, false).IsOpen()) {
        return false;
    }
    bool ok = LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, version.c_str());
    if (Key(TypeLibKey(), false).IsEmpty()) {
        LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, TypeLibKey().c_str());
    }
    for (const TypeDescription* type : {&ControlDispatchType(), &ControlEventsType()}) {
        LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, ("Interface\\" + FormatGuid(type->guid)).c_str());
    }
    return ok;
}

bool RegisterControlClass(const std::string& modulePath)
{
    const std::string clsid = FormatGuid(kControlClsid);
    const std::string key = ClassKey(kControlClsid);
    return WriteKey(key, kDefault, kControlTypeName) && WriteKey(kControlProgId, kDefault, kControlTypeName) &&
           WriteKey(std::string(kControlProgId) + "\\CLSID", kDefault, clsid) &&
           WriteKey(key + "\\ProgID", kDefault, kControlProgId) &&
           WriteKey(key + "\\InprocServer32", kDefault, modulePath) && Key(key + "\\Control", true).IsOpen() &&
           WriteKey(key + "\\ToolboxBitmap32", kDefault, modulePath + kToolboxBitmapSuffix) &&
           WriteKey(key + "\\MiscStatus\\1", kDefault, std::to_string(kControlMiscStatus)) &&
           WriteKey(key + "\\TypeLib", kDefault, FormatGuid(kControlLibid)) &&
           WriteKey(key + "\\Version", kDefault, kControlLibVersion);
}

// Removes what a class registration wrote; the class key itself goes only when nothing else
// (the full-page key, the categories) is left in it.
bool UnregisterClass(const CLSID& clsid, const char* progId)
{
    const std::string key = ClassKey(clsid);
    LRegKey classKey = Key(key, false);
    if (!classKey.IsOpen()) {
        return true;
    }
    bool ok = true;
    for (const char* subKey : kClassSubKeys) {
        const std::string path = key + "\\" + subKey;
        if (Key(path, false).IsOpen()) {
            ok = LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, path.c_str()) && ok;
        }
    }
    XAString name;
    if (classKey.ReadString(kDefault, name)) {
        ok = classKey.DeleteValue(kDefault) && ok;
    }
    if (classKey.IsEmpty()) {
        ok = LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, key.c_str()) && ok;
    }
    if (progId != nullptr && Key(progId, false).IsOpen()) {
        ok = LRegKey::DeleteKeyWithRoot(SettingsRoot::ClassesRoot, progId) && ok;
    }
    return ok;
}

bool UpdateControlRegistry(bool registering, const std::string& modulePath)
{
    RegisterCategories();
    if (!registering) {
        Key(MimeKey(), false).DeleteValue(kClsidValue);
        return UnregisterClass(kControlClsid, kControlProgId);
    }
    Key(kControlExtension, true).WriteString(kContentType, kControlMimeType);
    Key(ClassKey(kControlClsid) + "\\EnableFullPage\\" + kControlExtension, true);
    LRegKey mime = Key(MimeKey(), true);
    mime.WriteString(kExtension, kControlExtension);
    mime.WriteString(kClsidValue, FormatGuid(kControlClsid).c_str());
    Key(ClassKey(kControlClsid) + "\\InprocServer32", true).DeleteValue(kThreadingModel);
    return RegisterControlClass(modulePath);
}

bool UpdatePropPageRegistry(bool registering, const std::string& modulePath)
{
    if (!registering) {
        return UnregisterClass(kPropPageClsid, nullptr);
    }
    const std::string key = ClassKey(kPropPageClsid);
    return WriteKey(key, kDefault, kPropPageTypeName) && WriteKey(key + "\\InprocServer32", kDefault, modulePath);
}

bool UpdateRegistryAll(bool registering, const std::string& modulePath)
{
    const bool control = UpdateControlRegistry(registering, modulePath);
    const bool page = UpdatePropPageRegistry(registering, modulePath);
    return control && page;
}

} // namespace

HRESULT RegisterControlModule(const std::string& modulePath)
{
    if (!RegisterTypeLib(modulePath)) {
        return SELFREG_E_TYPELIB;
    }
    return UpdateRegistryAll(true, modulePath) ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterControlModule()
{
    if (!UnregisterTypeLib()) {
        return SELFREG_E_TYPELIB;
    }
    return UpdateRegistryAll(false, std::string()) ? S_OK : SELFREG_E_CLASS;
}
