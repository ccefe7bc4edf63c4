#include "preview/settings_file.h"

#include "foundation/archives/archive_file.h"
#include "foundation/archives/read_blob.h"
#include "foundation/files/file_replace.h"
#include "foundation/files/file_sync.h"
#include "foundation/files/tmp_file.h"

#include <cerrno>
#include <limits>
#include <sys/stat.h>

namespace {

constexpr int32_t kSettingsVersion = 3;
constexpr int32_t kOldestSettingsReader = 0;
constexpr int32_t kFirstVersionWithAvi = 1;
constexpr int32_t kFirstVersionWithWindowSize = 2;
constexpr int32_t kFirstVersionWithAviSwitches = 3;
constexpr int32_t kEndOfPictures = -1;
constexpr int32_t kTrailerCounts = 4;

void ReadAviBlock(LArchiveBase& archive, LAviExportSettings& avi)
{
    avi.frameRate = archive.ReadFloat();
    avi.options.Read(archive);
    avi.state = 0;
    archive.ReadString(avi.text, std::numeric_limits<int32_t>::max());
    ReadBlob(avi.data, archive);
}

// The picture records up to the end mark; records for slots beyond the eight are read and dropped.
void ReadPictures(LArchiveBase& archive, LSettingsPictures& pictures)
{
    for (LLaserPreviewBitmap& picture : pictures)
        picture.Clear();
    while (!archive.HasError()) {
        const int32_t slot = archive.ReadCount();
        if (archive.HasError() || slot < 0)
            return;
        LLaserPreviewBitmap scratch;
        (slot < kSettingsPictureSlots ? pictures[slot] : scratch).Read(archive);
    }
}

CError SystemError(int code)
{
    CError error;
    error.FromSystemCode(code);
    return error;
}

} // namespace

void WriteSettingsFile(LArchiveBase& archive, const LBeamvistaPars& pars, const LSettingsPictures& pictures)
{
    archive.WriteVersion(kSettingsVersion, kOldestSettingsReader);
    pars.Write(archive, kBeamvistaFileGroups);
    for (int32_t slot = 0; slot < kSettingsPictureSlots; ++slot) {
        if (pictures[slot].FileBytes().IsEmpty())
            continue;
        archive.WriteCount(slot);
        pictures[slot].Write(archive);
    }
    archive.WriteCount(kEndOfPictures);
    // Nothing here uses the AVI settings or a stored window size, so none are written.
    archive.WriteBool(false);
    archive.WriteBool(false);
    archive.WriteBool(false);
    for (int32_t i = 0; i < kTrailerCounts; ++i)
        archive.WriteCount(0);
}

bool ReadSettingsFile(LArchiveBase& archive, LSettingsFileContent& content)
{
    if (!archive.ReadVersion(kSettingsVersion, kOldestSettingsReader, content.version))
        return false;
    content.pars.Read(archive, false);
    ReadPictures(archive, content.pictures);
    if (content.version >= kFirstVersionWithAvi) {
        content.hasAvi = archive.ReadBool();
        if (content.hasAvi)
            ReadAviBlock(archive, content.avi);
    }
    if (content.version >= kFirstVersionWithWindowSize) {
        content.hasWindowSize = archive.ReadBool();
        if (content.hasWindowSize) {
            content.width = archive.ReadI32();
            content.height = archive.ReadI32();
        }
    }
    if (content.version >= kFirstVersionWithAviSwitches) {
        content.hasAviSwitches = archive.ReadBool();
        if (content.hasAviSwitches) {
            content.avi.switch1 = archive.ReadBool();
            content.avi.switch2 = archive.ReadBool();
        }
    }
    return !archive.HasError();
}

CError SaveSettingsFileAt(const char* path, const LBeamvistaPars& pars, const LSettingsPictures& pictures)
{
    // Beside the file that gets the bytes (behind a link, the file it names), so that the
    // rename stays on one file system; a save never makes folders.
    const XAString folder = FolderOf(ReplacementTarget(path).CStr());
    struct stat info = {};
    if (::stat(folder.CStr(), &info) != 0)
        return SystemError(errno);
    if (!S_ISDIR(info.st_mode))
        return SystemError(ENOTDIR);
    LTmpFile temporary;
    if (!temporary.Create(true, folder.CStr(), nullptr))
        return SystemError(errno != 0 ? errno : EIO);
    LArchiveFile file;
    if (file.Open(temporary.CStr(), kArchiveFileRewrite)) {
        WriteSettingsFile(file, pars, pictures);
        file.Flush();
    }
    file.Close();
    CError status = file.Status();
    if (status.Failed())
        return status;
    // ReplaceFileWith syncs the new bytes before their name replaces the old file's.
    if (const int error = ReplaceFileWith(temporary.CStr(), path); error != 0)
        return SystemError(error);
    temporary.Keep();
    return status;
}
