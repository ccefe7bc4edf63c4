#include "apps/host/embedding/server_libraries.h"

#include "apps/host/embedding/registered_class.h"

#include <filesystem>

ServerLibrary* ServerLibraries::Load(const std::string& path, std::string& error)
{
    std::unique_ptr<ServerLibrary>& slot = loaded_[path];
    if (!slot) {
        slot = ServerLibrary::Load(path, error);
    }
    return slot.get();
}

bool ServerLibraries::RegisterBeside(std::string& error)
{
    if (besideLibrary_.empty() || !std::filesystem::exists(besideLibrary_)) {
        error = "no control library beside the program";
        return false;
    }
    ServerLibrary* library = Load(besideLibrary_, error);
    if (library == nullptr) {
        return false;
    }
    const HRESULT result = library->Register();
    if (Failed(result)) {
        error = "registering " + besideLibrary_ + " failed: " + FormatHresult(result);
        return false;
    }
    return true;
}

std::optional<CLSID> ServerLibraries::FindClass(const std::function<std::optional<CLSID>()>& lookUp,
                                                std::string& error)
{
    if (std::optional<CLSID> clsid = lookUp()) {
        return clsid;
    }
    if (!RegisterBeside(error)) {
        return std::nullopt;
    }
    std::optional<CLSID> clsid = lookUp();
    if (!clsid) {
        error = "no class registered for it, also after registering " + besideLibrary_;
    }
    return clsid;
}

ServerLibrary* ServerLibraries::ForClass(const CLSID& clsid, std::string& error)
{
    std::string path = InprocServerOf(clsid);
    if (path.empty() || !std::filesystem::exists(path)) {
        if (!RegisterBeside(error)) {
            error = "class " + FormatGuid(clsid) + " is not registered (" + error + ")";
            return nullptr;
        }
        path = InprocServerOf(clsid);
        if (path.empty()) {
            error = "class " + FormatGuid(clsid) + " is not served by " + besideLibrary_;
            return nullptr;
        }
    }
    return Load(path, error);
}

std::string LibraryBesideProgram(const char* fileName)
{
    std::error_code failure;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
    if (failure) {
        return std::string();
    }
    return (program.parent_path() / fileName).string();
}
