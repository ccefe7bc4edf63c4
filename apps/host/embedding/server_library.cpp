#include "apps/host/embedding/server_library.h"

#include <cstdio>
#include <dlfcn.h>

namespace {

template <typename Function> bool Find(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

} // namespace

std::unique_ptr<ServerLibrary> ServerLibrary::Load(const std::string& path, std::string& error)
{
    // Local binding: the library's symbols never stand in for the container's own.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot load " + path;
        return nullptr;
    }
    std::unique_ptr<ServerLibrary> library(new ServerLibrary);
    library->path_ = path;
    library->handle_ = handle;
    if (!Find(handle, kDllRegisterServer, library->register_) ||
        !Find(handle, kDllUnregisterServer, library->unregister_) ||
        !Find(handle, kDllGetClassObject, library->getClassObject_) ||
        !Find(handle, kDllCanUnloadNow, library->canUnloadNow_)) {
        error = path + " is no in-process server: an export is missing";
        return nullptr;
    }
    return library;
}

ServerLibrary::~ServerLibrary()
{
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

std::string FormatHresult(HRESULT result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(result));
    return text;
}
