#pragma once
// A folder of its own for a fuzz run, removed at exit. It lies in memory where the system has
// such a folder, so that the syncs of files written there cost nothing.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz_support {

class RunFolder
{
  public:
    RunFolder()
    {
        const std::filesystem::path memory = "/dev/shm";
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zylfuzzXXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        path_ = made != nullptr ? made : std::filesystem::temp_directory_path().string();
    }
    ~RunFolder() { std::filesystem::remove_all(path_); }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

} // namespace fuzz_support
