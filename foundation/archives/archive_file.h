// LArchiveFile: an archive over a file descriptor, and LoadFileToString.
#pragma once

#include "foundation/archives/archive_base.h"
#include "foundation/strings/xa_block.h"

#include <cstdint>

// Open modes of LArchiveFile::Open.
enum LArchiveFileMode : int32_t {
    kArchiveFileRead = 0,       // an existing file; any value not listed means this too
    kArchiveFileRewrite = 1,    // an existing file, written from its start, not truncated
    kArchiveFileCreate = 2,     // created or truncated
    kArchiveFileCreateDirs = 3, // as kArchiveFileCreate, after creating the missing folders
    kArchiveFileAppend = 4,     // written after its end; created when missing
};

class LArchiveFile : public LArchiveBase
{
  public:
    static constexpr int kNoHandle = -1;

    LArchiveFile() = default;
    LArchiveFile(const char* name, int32_t mode, bool owned) { Open(name, mode, owned); }
    ~LArchiveFile() override;

    // Takes over an open descriptor; a writer when `writer` is set. With `owned` the archive
    // closes it.
    virtual bool Attach(int handle, bool writer, bool owned);
    virtual bool Open(const char* name, int32_t mode, bool owned = true);

    bool Close(bool force = false) override;
    int32_t GetFileSize() override;
    bool QueryCapability() override { return true; }
    int32_t UnbufferedReadRaw(void* destination, int32_t min, int32_t max) override;
    int32_t UnbufferedSkipRaw(int32_t min, int32_t max) override;
    int32_t UnbufferedWriteRaw(const void* source, int32_t n) override;
    int32_t SeekRel(int32_t distance) override;

    // GetFileSize bytes: the whole file when called right after opening.
    XAString ReadAll();
    // Records the system's text for errno (the first error stays).
    void SetSystemError();

    int Handle() const { return handle_; }

  private:
    // A stream of small values costs one system call per 64 KiB.
    static constexpr int32_t kIoBufferBytes = 64 * 1024;
    static constexpr int32_t kFallbackBytes = 16;

    // Where the raw stream stands, or -1 with the error recorded.
    int64_t RawOffset();
    bool TooLarge(int64_t end);

    int handle_ = kNoHandle;
    bool owned_ = false;
    XABlock buffer_;
    uint8_t fallback_[kFallbackBytes] = {};
};

// The whole file as a string (empty when it cannot be read).
XAString LoadFileToString(const char* name);
