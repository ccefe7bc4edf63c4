// The four functions a container finds in the library with dlsym. Nothing else leaves the
// library (control_exports.map): its own copies of our libraries never bind to a host's.
#include "activex/control_module.h"
#include "activex/control_registration.h"
#include "platform/com/module_exports.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <type_traits>

extern "C" {
HRESULT DllRegisterServer();
HRESULT DllUnregisterServer();
HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid, void** object);
HRESULT DllCanUnloadNow();
}

// A container calls them through these types.
static_assert(std::is_same_v<decltype(&DllRegisterServer), DllRegisterServerFunction>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), DllUnregisterServerFunction>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), DllGetClassObjectFunction>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), DllCanUnloadNowFunction>);

namespace {

// The library's own file, as the in-process server the registration names: absolute, since a
// container may have loaded it by a relative path.
std::string ModulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) == 0 || info.dli_fname == nullptr) {
        return std::string();
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::string(info.dli_fname) : path.string();
}

} // namespace

HRESULT DllRegisterServer()
{
    const std::string path = ModulePath();
    if (path.empty()) {
        return SELFREG_E_CLASS;
    }
    return RegisterControlModule(path);
}

HRESULT DllUnregisterServer()
{
    return UnregisterControlModule();
}

HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid, void** object)
{
    if (clsid == nullptr || iid == nullptr) {
        return E_INVALIDARG;
    }
    return ControlGetClassObject(*clsid, *iid, object);
}

HRESULT DllCanUnloadNow()
{
    return ControlCanUnloadNow();
}
