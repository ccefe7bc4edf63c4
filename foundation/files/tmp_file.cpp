#include "foundation/files/tmp_file.h"

#include "foundation/files/fs_delete.h"
#include "foundation/files/fs_entry.h"
#include "foundation/tasks/l_task.h"
#include "foundation/text/random.h"
#include "foundation/tasks/sys_clock.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>

namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr int kProcessIdShift = 8;
constexpr int64_t kMicrosecondsPerMillisecond = 1000;
// Enough to step over any number of leftovers a folder plausibly holds.
constexpr int kMaxAttempts = 100000;

std::string Absolute(const char* path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path && *path ? path : ".", error);
    return error ? std::string(path ? path : "") : absolute.string();
}

uint32_t Seed()
{
    const auto task = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(FindTask(nullptr)));
    const auto milliseconds = static_cast<uint32_t>(GetSysTimeUsNow() / kMicrosecondsPerMillisecond);
    return static_cast<uint32_t>(Random()) ^ static_cast<uint32_t>(GetSysTimeCs()) ^ task ^ milliseconds ^
           (static_cast<uint32_t>(::getpid()) << kProcessIdShift);
}

} // namespace

LTmpFile::LTmpFile(const char* existing)
    : XAFsName(XAString(Absolute(existing).c_str())), deleteName_(static_cast<const XAString&>(*this))
{
}

LTmpFile::LTmpFile(LTmpFile&& other) noexcept
    : XAFsName(static_cast<const XAString&>(other)), deleteName_(std::exchange(other.deleteName_, XAString()))
{
}

LTmpFile::~LTmpFile()
{
    DeletePending();
}

void LTmpFile::DeletePending()
{
    // Exactly our own file: names here may hold '*' and '?'.
    if (!deleteName_.IsEmpty())
        FsDeleteExact(deleteName_.CStr());
    deleteName_ = XAString();
}

bool LTmpFile::Create(bool deleteOnDestruction, const char* directory, const char* extension)
{
    DeletePending();
    const std::string folder = Absolute(directory);
    if (MakeDirs(XAString(folder.c_str())) != kFsOk)
        return false;
    uint32_t seed = Seed();
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt, ++seed) {
        XAString candidate = XAString(folder.c_str()) + "/" + XAString::Format("xy%h", seed);
        if (extension && *extension)
            candidate = candidate + "." + extension;
        const int handle = ::open(candidate.CStr(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (handle < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        ::close(handle);
        XAString::operator=(candidate);
        if (deleteOnDestruction)
            deleteName_ = candidate;
        return true;
    }
    return false;
}
