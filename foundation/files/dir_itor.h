// CDirItor: walks a folder tree, optionally descending into subfolders (contents after or
// before their folder) and applying a name pattern in every folder. Symbolic links to
// folders are reported but never entered, so a walk stays inside its tree.
#pragma once

#include "foundation/files/dir_scan.h"

#include <cstdint>
#include <vector>

// Flag bits; the low byte holds the wanted entry types (dir_scan.h).
constexpr int32_t kDirItorTypes = 0xFF;
constexpr int32_t kDirItorDescend = 0x100;
constexpr int32_t kDirItorContentsFirst = 0x200; // with kDirItorDescend
constexpr int32_t kDirItorPattern = 0x400;       // with kDirItorDescend: the last component is a pattern

// The state of a folder whose subfolder is being walked.
struct CDirItorSubdirEntry
{
    CDirScan scan;
    XAString folderPath;
    XAString relativePath;
};

class CDirItor
{
  public:
    CDirItor() = default;
    CDirItor(const char* path, int32_t flags) { OpenPattern(path, flags); }

    // Walks the folder's entries.
    bool Open(const char* folder, int32_t flags);
    // The path may end in a pattern; see the flags. True when an entry is current.
    bool OpenPattern(const char* path, int32_t flags);
    // Moves to the next entry; false at the end of the walk.
    bool Next();
    // The current folder's path joined with the current entry's name.
    XAString GetPath() const;
    void Clear();

    const CDirScan& Scan() const { return scan_; }
    // The current folder's path below its root, ending in '/' (empty at the top level).
    const XAString& RelativePath() const { return relativePath_; }
    // 0 while entries come, kFileErrorNoMoreEntries after a complete walk, else what ended it.
    int32_t Status() const { return status_; }

  private:
    enum class Pending { None, Advance, Descend };

    bool Step();
    bool Wanted();
    bool Descend();
    void EndWalk(int32_t status);

    CDirScan scan_;
    int32_t flags_ = 0;
    XAString pattern_;
    XAString folderPath_;
    XAString relativePath_;
    std::vector<CDirItorSubdirEntry> stack_;
    Pending pending_ = Pending::None;
    bool justLeft_ = false;
    bool active_ = false;
    int32_t status_ = 0;
};
