#include "preview/picture_export.h"

#include "foundation/files/fs_name.h"
#include "foundation/text/text_compare.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace {

constexpr const char* kFallbackTemporaryFolder = "/tmp";
constexpr const char* kExportFolders[] = {"Beamvista", "Bmp"};
constexpr const char* kNumberedPrefix = "Beamvista-";
constexpr const char* kSnapshotExtension = ".bmp";
// Four digits: the numbers wrap after 9999.
constexpr int32_t kNumberedNames = 10000;
constexpr int32_t kNumberDigits = 4;
constexpr mode_t kNewFolderMode = 0777;

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           StrCompareNoCaseAscii(std::string(text.substr(text.size() - suffix.size())).c_str(),
                                 std::string(suffix).c_str()) == 0;
}

// The numbers n for which the folder holds a file "Beamvista-nnnn*.bmp" (any case). The folder
// is read once and taken as it is, never as a pattern.
std::bitset<kNumberedNames> TakenNumbers(const XAString& folder)
{
    std::bitset<kNumberedNames> taken;
    DIR* directory = ::opendir(folder.CStr());
    if (!directory)
        return taken;
    const std::string_view prefix = kNumberedPrefix;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name.size() < prefix.size() + kNumberDigits || !EndsWithNoCase(name, kSnapshotExtension) ||
            StrCompareNoCaseAscii(std::string(name.substr(0, prefix.size())).c_str(), kNumberedPrefix) != 0)
            continue;
        const std::string_view digits = name.substr(prefix.size(), kNumberDigits);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            taken.set(static_cast<size_t>(std::stoi(std::string(digits))));
    }
    ::closedir(directory);
    return taken;
}

} // namespace

XAString ExportBaseFolder()
{
    const char* temporary = std::getenv("TMPDIR");
    XAFsName folder(temporary && *temporary ? temporary : kFallbackTemporaryFolder);
    for (const char* level : kExportFolders) {
        folder = folder.AppendPath(level);
        ::mkdir(folder.CStr(), kNewFolderMode);
    }
    return folder;
}

XAString SnapshotFolder(const XAString& path, int32_t width, int32_t height)
{
    return XAFsName(path).DirectoryPart().AppendPath(XAString::Format("%dx%d", width, height).CStr());
}

XAString SnapshotFile(const XAString& path, int32_t width, int32_t height)
{
    const XAString name = XAFsName(path).FileNamePart() + XAString::Format("-%dx%d", width, height) + kSnapshotExtension;
    return XAFsName(SnapshotFolder(path, width, height)).AppendPath(name.CStr());
}

std::optional<XAString> NextNumberedExport(const XAString& baseFolder, int32_t& counter, int32_t width,
                                           int32_t height)
{
    const std::bitset<kNumberedNames> taken =
        TakenNumbers(SnapshotFolder(XAFsName(baseFolder).AppendPath(kNumberedPrefix), width, height));
    for (int32_t tried = 0; tried < kNumberedNames; ++tried) {
        const int32_t number = counter++ % kNumberedNames;
        if (!taken.test(static_cast<size_t>(number)))
            return XAFsName(baseFolder).AppendPath(
                (XAString(kNumberedPrefix) + XAString::Format("%0i", number, kNumberDigits)).CStr());
    }
    return std::nullopt;
}
