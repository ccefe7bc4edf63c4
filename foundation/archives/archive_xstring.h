// LArchiveXString: an archive over bytes in memory. A writer collects into a string that
// grows by doubling; a reader shares the caller's string (or reads the caller's bytes) and
// does not follow a string that grows behind it.
#pragma once

#include "foundation/archives/archive_base.h"

#include <cstdint>

class LArchiveXString : public LArchiveBase
{
  public:
    LArchiveXString() = default;
    ~LArchiveXString() override = default;

    bool OpenWrite(int32_t capacity);
    // A negative length, or one past the string's end, means the string's length.
    bool OpenRead(const XAString& string, int32_t length);
    // Without copy the bytes must outlive the archive.
    bool OpenReadMemory(const void* data, int32_t length, bool copy);
    // Flushes and returns a copy of the bytes written; take it before Close.
    XAString TakeString();

    bool Close(bool force = false) override;
    int32_t GetFileSize() override;
    bool QueryCapability() override { return true; }
    int32_t UnbufferedReadRaw(void* destination, int32_t min, int32_t max) override;
    int32_t UnbufferedSkipRaw(int32_t min, int32_t max) override;
    int32_t UnbufferedWriteRaw(const void* source, int32_t n) override;
    int32_t SeekRel(int32_t distance) override;

    // Returns to closed with a clean status and no strings, without a new buffer.
    void Reset();

    // Storage capacity while writing (the storage string's length).
    int32_t Capacity() const { return storage_.Length(); }

  private:
    bool OpenCommon();
    bool AllocBuffer(int32_t n);
    // Storage of max(n, the I/O buffer size) bytes holding the valid bytes so far.
    bool Reserve(int64_t n);

    XAString ioBuffer_;
    uint8_t* ioText_ = nullptr;
    XAString storage_;
    const uint8_t* data_ = nullptr;
    int32_t validLength_ = 0;
    int32_t rawPosition_ = 0;
};
