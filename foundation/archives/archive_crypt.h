// LArchiveCrypt: an archive whose raw stream is the enciphered part of another open archive.
// The first 64 raw bytes are left to the user, a 32-byte enciphered header follows, then the
// data. Each 8-byte unit is offset by a 64-bit counter (the stream's start value plus the
// unit's raw offset) and enciphered with IDEA on its own, so any byte can be read or
// rewritten in place.
#pragma once

#include "foundation/archives/archive_base.h"
#include "foundation/archives/idea_cipher.h"
#include "foundation/strings/xa_block.h"

#include <cstdint>
#include <functional>

class LArchiveCrypt : public LArchiveBase
{
  public:
    // The start value of a new stream: the time as 100-nanosecond intervals since 1601 (UTC).
    using StartValueSource = std::function<uint64_t()>;

    static constexpr int32_t kPrefixBytes = 64;
    static constexpr int32_t kHeaderBytes = 32;
    static constexpr int32_t kDataOffset = kPrefixBytes + kHeaderBytes;

    // Large enough that the cipher works on many units per raw call, in parallel lanes.
    static constexpr int32_t kIoBufferBytes = 8192;
    static constexpr int32_t kSmallestIoBuffer = 16;

    // ioBufferBytes is rounded down to whole units, at least kSmallestIoBuffer.
    explicit LArchiveCrypt(int32_t ioBufferBytes = kIoBufferBytes);
    ~LArchiveCrypt() override;

    // Puts the layer over an open raw archive, reading or writing as the raw archive does. A
    // writer over an existing stream keeps its data; with append it starts at the data's end.
    virtual bool Attach(LArchiveBase& raw, bool append);

    // Finishes the stream and closes the raw archive with the same flag.
    bool Close(bool force = false) override;
    // The data length (low 32 bits).
    int32_t GetFileSize() override;
    bool QueryCapability() override { return true; }
    int32_t UnbufferedReadRaw(void* destination, int32_t min, int32_t max) override;
    int32_t UnbufferedSkipRaw(int32_t min, int32_t max) override;
    int32_t UnbufferedWriteRaw(const void* source, int32_t n) override;
    int32_t SeekRel(int32_t distance) override;

    void SetStartValueSource(StartValueSource source) { startValueSource_ = std::move(source); }
    uint64_t StartValue() const { return start_; }

    // The system time as the start value of a new stream.
    static uint64_t SystemStartValue();

  private:
    void Clear();
    bool TakeOverRawStatus();
    bool AllocBuffers();
    bool ReadHeader();
    void StartNewStream();
    void WriteHeader();

    void EncipherUnits(uint8_t* bytes, int32_t n, uint64_t counter) const;
    void DecipherUnits(uint8_t* bytes, int32_t n, uint64_t counter) const;

    // Raw stream access at absolute raw offsets.
    bool RawSeek(int64_t offset);
    int32_t RawRead(int64_t offset, uint8_t* destination, int32_t n);
    int32_t RawWrite(int64_t offset, const uint8_t* source, int32_t n);

    // Reads and deciphers the stored unit that starts at data position unitStart.
    bool ReadStoredUnit(int64_t unitStart, uint8_t* unit);
    bool FillCipherBuffer();
    void FlushCipherBuffer();
    void WriteCipherBuffer();
    // Zeros from the data's end up to a data position that a seek put past it.
    bool FillGap();

    LArchiveBase* raw_ = nullptr;
    IdeaSchedule encrypt_ = {};
    IdeaSchedule decrypt_ = {};
    uint64_t start_ = 0;
    int64_t rawSize_ = 0;
    int64_t rawPosition_ = 0;
    int64_t dataLength_ = 0;
    int64_t dataPosition_ = 0;

    int32_t ioBufferBytes_;
    XABlock ioBuffer_;
    uint8_t fallback_[kSmallestIoBuffer] = {};
    int32_t ioSize_ = 0;

    // Plain bytes of whole units from data position cipherStart_ on.
    XABlock cipherBuffer_;
    int32_t cipherSize_ = 0;
    int32_t cipherFill_ = 0;
    int32_t cipherOffset_ = 0;
    int64_t cipherStart_ = 0;

    StartValueSource startValueSource_ = &SystemStartValue;
};
