// The server libraries a container has loaded, and how it finds the one for a class: the
// library the classes root names, else the library installed beside the container, registered
// first so that the class is found by every later look-up.
#pragma once

#include "apps/host/embedding/server_library.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class ServerLibraries
{
  public:
    // besideLibrary: the library that comes with the container; empty when there is none.
    explicit ServerLibraries(std::string besideLibrary) : besideLibrary_(std::move(besideLibrary)) {}

    // The loaded library serving clsid; null and error set when none can be found or loaded.
    // A class whose registered library file is gone counts as not registered.
    ServerLibrary* ForClass(const CLSID& clsid, std::string& error);
    // The class lookUp finds in the classes root (by ProgID or media type); when it finds none,
    // the library beside is registered and lookUp asked again.
    std::optional<CLSID> FindClass(const std::function<std::optional<CLSID>()>& lookUp, std::string& error);
    // Registers the library beside the container; false and error set when it cannot.
    bool RegisterBeside(std::string& error);
    // Loads (once) the library at path.
    ServerLibrary* Load(const std::string& path, std::string& error);

  private:
    std::string besideLibrary_;
    std::map<std::string, std::unique_ptr<ServerLibrary>> loaded_;
};

// The control library's file beside the running program.
std::string LibraryBesideProgram(const char* fileName);
