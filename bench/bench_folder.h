// A temporary folder for the files a benchmark makes, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

class BenchFolder
{
  public:
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zylbenchXXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};
