// Single-entry file system operations: look up one entry, test, create and delete folders.
// They return error classes (file_error_class.h). Names pass unchanged (UTF-8); this system
// has no short names and no volume labels.
#pragma once

#include "foundation/text/calendar_date.h"
#include "foundation/files/file_error_class.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>
#include <dirent.h>

// FsAttributeFlags.
constexpr int32_t kFsAttributeReadOnly = 0x01;
constexpr int32_t kFsAttributeHidden = 0x02;
constexpr int32_t kFsAttributeSystem = 0x04;
constexpr int32_t kFsAttributeArchive = 0x08;
constexpr int32_t kFsAttributeDirectory = 0x10;

struct FsEntry
{
    XAString longName;
    // The long name: this system keeps no second, short name.
    XAString shortName;
    // Low 32 bits of the size.
    uint32_t size = 0;
    int32_t attributes = 0;
    FileTimeRecord lastWrite;
};

// A search for the entries of a folder that match a pattern (name_pattern.h).
class LSmbFsSearchHandle
{
  public:
    LSmbFsSearchHandle() = default;
    LSmbFsSearchHandle(const LSmbFsSearchHandle&) = delete;
    LSmbFsSearchHandle& operator=(const LSmbFsSearchHandle&) = delete;
    ~LSmbFsSearchHandle() { Close(); }

    // Closes an open search and looks up the first entry of the path ("*" is appended to a
    // path without a name part); 0 or a class.
    int32_t FindFirst(const char* path, FsEntry& entry);
    // kFsInvalidHandle when no search is open.
    int32_t Close();

  private:
    DIR* dir_ = nullptr;
    bool single_ = false;
};

// The entry of one path (trailing separators removed, an empty name part read as ".");
// kFsInvalidArgument when the path has wildcards.
int32_t FsGetEntry(const char* path, FsEntry& entry);
// 0 when the path names a folder, kFsAccessDenied when it names something else, else the
// class of the failed lookup (kFsNotFound when nothing is there).
int32_t FsDirectoryExists(const XAString& path);
int32_t FsCreateDirectory(const XAString& path);
// Creates the folder and every missing parent; a folder that exists already is success.
int32_t MakeDirs(const XAString& path);
// kFsNotSupported: this system has no volume labels.
int32_t FsVolumeLabel(const char* path, XAString& label);
