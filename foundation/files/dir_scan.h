// CDirScan: walks the entries of one folder that match a name pattern of the program's own
// rules (name_pattern.h), or looks up one named entry. Names pass unchanged (UTF-8).
#pragma once

#include "foundation/strings/xa_string.h"

#include <cstdint>
#include <dirent.h>

// Entry type bits.
constexpr int32_t kDirEntryFile = 1;
constexpr int32_t kDirEntryFolder = 2;
constexpr int32_t kDirEntryParent = 4; // ".."
constexpr int32_t kDirEntrySelf = 8;   // "."

// Entry flags.
constexpr int32_t kDirFlagFolder = 0x10;
constexpr int32_t kDirFlagSelf = 0x11;
constexpr int32_t kDirFlagParent = 0x12;

// Access flags: an entry starts with kDirAccessDefault; hidden entries (dotfiles) add
// kDirAccessHidden; read-only entries lose kDirAccessWritable.
constexpr int32_t kDirAccessDefault = 0x0B;
constexpr int32_t kDirAccessArchive = 0x20;
constexpr int32_t kDirAccessHidden = 0x10;
constexpr int32_t kDirAccessWritable = 0x0A;

class CDirScan
{
  public:
    CDirScan() = default;
    explicit CDirScan(const char* path) { OpenDefault(path); }
    CDirScan(const char* path, int32_t types) { Open(path, types); }
    CDirScan(CDirScan&& other) noexcept;
    CDirScan& operator=(CDirScan&& other) noexcept;
    CDirScan(const CDirScan&) = delete;
    CDirScan& operator=(const CDirScan&) = delete;
    ~CDirScan();

    // Starts a scan of the path (which may end in a pattern; a path ending in '/' scans the
    // whole folder) and moves to the first wanted entry.
    void Open(const char* path, int32_t types);
    // Open for files.
    void OpenDefault(const char* path);
    // Moves to the next wanted entry; at the end the name is empty and the type 0.
    void Next();
    void Close();

    const XAString& Name() const { return name_; }
    int32_t Type() const { return type_; }
    // 0 while entries come; kFileErrorNoMoreEntries at the end; another detailed code on failure.
    int32_t Status() const { return status_; }
    int32_t EntryFlags() const { return entryFlags_; }
    int32_t AccessFlags() const { return accessFlags_; }
    uint16_t PackedDate() const { return packedDate_; }
    // Time of day in 2-second units of local standard time.
    int32_t TimeOfDay() const { return timeOfDay_; }
    // Low 32 bits of the size.
    uint32_t Size() const { return size_; }
    // A symbolic link (its type and size are its target's when that resolves).
    bool IsLink() const { return isLink_; }

  private:
    // Takes the entry `name`, examines it, and advances until a wanted entry is current.
    void Seek(const char* name);
    // False when the entry could not be looked at all.
    bool Describe(const char* name);
    void End(int32_t status);
    const char* ReadNextName();

    XAString name_;
    int32_t wanted_ = 0;
    int32_t type_ = 0;
    int32_t status_ = 0;
    DIR* dir_ = nullptr;
    bool single_ = false;
    XAString folder_;
    XAString pattern_;
    int32_t entryFlags_ = 0;
    int32_t accessFlags_ = 0;
    uint16_t packedDate_ = 0;
    int32_t timeOfDay_ = 0;
    uint32_t size_ = 0;
    bool isLink_ = false;
};
