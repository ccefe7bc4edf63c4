// An in-process server library as a container uses it: loaded with dlopen, reached through its
// four exports only.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/module_exports.h"

#include <memory>
#include <string>

class ServerLibrary
{
  public:
    // Null and error set when the file cannot be loaded or lacks one of the four exports.
    static std::unique_ptr<ServerLibrary> Load(const std::string& path, std::string& error);
    ~ServerLibrary();
    ServerLibrary(const ServerLibrary&) = delete;
    ServerLibrary& operator=(const ServerLibrary&) = delete;

    HRESULT Register() const { return register_(); }
    HRESULT Unregister() const { return unregister_(); }
    HRESULT GetClassObject(const CLSID& clsid, const IID& iid, void** object) const
    {
        return getClassObject_(&clsid, &iid, object);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }
    const std::string& Path() const { return path_; }

  private:
    ServerLibrary() = default;

    std::string path_;
    void* handle_ = nullptr;
    DllRegisterServerFunction register_ = nullptr;
    DllUnregisterServerFunction unregister_ = nullptr;
    DllGetClassObjectFunction getClassObject_ = nullptr;
    DllCanUnloadNowFunction canUnloadNow_ = nullptr;
};

// "0xXXXXXXXX", as the container reports a status.
std::string FormatHresult(HRESULT result);
