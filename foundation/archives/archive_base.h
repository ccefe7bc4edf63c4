// LArchiveBase: the buffered, big-endian reader or writer every stored format is written with.
// Concrete archives supply the raw stream (LArchiveImplementationInterface) and the buffer; an
// archive is a reader or a writer, never both. Errors are not thrown: the first one stays in the
// archive's CError while operations go on, and callers look at it after a record or a file.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/strings/xa_string.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The raw side of an archive. For the raw reads "min" is how many bytes the caller needs and
// "max" how many it can take; a stream that delivers fewer than min records its own error.
class LArchiveImplementationInterface
{
  public:
    virtual int32_t UnbufferedReadRaw(void* destination, int32_t min, int32_t max) = 0;
    virtual int32_t UnbufferedSkipRaw(int32_t min, int32_t max) = 0;
    virtual int32_t UnbufferedWriteRaw(const void* source, int32_t n) = 0;
    // Finishes the stream; true unless the archive holds an error. force closes a file handle the
    // archive was given but does not own; streams without a handle ignore it.
    virtual bool Close(bool force) = 0;
    virtual int32_t GetFileSize() = 0;
    // True when GetFileSize knows the stream's size and SeekRel can move.
    virtual bool QueryCapability() = 0;
    // Moves by a signed distance; returns the new logical position.
    virtual int32_t SeekRel(int32_t distance) = 0;
    virtual ~LArchiveImplementationInterface() = default;
};

class LArchiveBase : public LArchiveImplementationInterface
{
  public:
    LArchiveBase();
    LArchiveBase(const LArchiveBase&) = delete;
    LArchiveBase& operator=(const LArchiveBase&) = delete;

    // Reads and discards through the read buffer.
    int32_t UnbufferedSkipRaw(int32_t min, int32_t max) override;
    int32_t GetFileSize() override;
    bool QueryCapability() override;
    int32_t SeekRel(int32_t distance) override;

    // Flushes pending output, then returns to closed with a clean status.
    void Reset();

    CError& Status() { return status_; }
    const CError& Status() const { return status_; }
    // Neither ok nor a warning.
    bool HasError() const;

    bool IsReader() const { return readBase_ != nullptr; }
    bool IsWriter() const { return writeBase_ != nullptr; }

    // The buffers belong to the concrete archive; a null base ends that role.
    void SetReadBuffer(uint8_t* base, int32_t size);
    void SetWriteBuffer(uint8_t* base, int32_t size);
    void DropReadBuffer();

    int32_t BufferedBytes() const { return static_cast<int32_t>(readEnd_ - readCursor_); }
    const uint8_t* ReadCursor() const { return readCursor_; }

    int32_t Tell() const;
    // Makes Tell return n, after the concrete archive moved the raw stream itself.
    void SetPosition(int32_t n);
    int32_t Seek(int32_t n);

    int32_t Refill(int32_t n);
    int32_t ReadBlock(void* destination, int32_t min, int32_t max);
    int32_t Skip(int32_t min, int32_t max);
    void WriteBlock(const void* source, int32_t n);
    void Flush();

    XAString ReadAString(int32_t n);
    // Reads a block whose count the caller has already read: available is that count (the bytes
    // stored), min the fewest the caller accepts and max the most it takes into destination (a
    // null destination takes none). Fewer than min, or with strict more than max, records an
    // error; the stored bytes are consumed either way, what does not fit being skipped. Returns
    // how many bytes went into destination.
    int32_t ReadCountMinMax(void* destination, int32_t available, int32_t min, int32_t max, bool strict);
    void WriteCounted(const void* source, int32_t n);
    void SkipCounted();

    // Fixed-size values come straight from the buffer when it holds their bytes; only a value
    // that does not fit leaves the inline path (to refill, or to flush).
    uint8_t ReadU8()
    {
        return readCursor_ != readEnd_ ? *readCursor_++ : static_cast<uint8_t>(ReadSlowly(1));
    }
    uint16_t ReadU16() { return ReadFixed<uint16_t>(); }
    int32_t ReadI32() { return static_cast<int32_t>(ReadFixed<uint32_t>()); }
    int64_t ReadI64() { return static_cast<int64_t>(ReadFixed<uint64_t>()); }
    float ReadFloat() { return std::bit_cast<float>(ReadFixed<uint32_t>()); }
    double ReadDouble() { return std::bit_cast<double>(ReadFixed<uint64_t>()); }
    bool ReadBool() { return ReadU8() != 0; }
    int32_t ReadCount();

    void WriteU8(uint8_t v)
    {
        if (writeCursor_ != writeEnd_)
            *writeCursor_++ = v;
        else
            WriteSlowly(v, 1);
    }
    void WriteU16(uint16_t v) { WriteFixed(v); }
    void WriteI32(int32_t v) { WriteFixed(static_cast<uint32_t>(v)); }
    void WriteI64(int64_t v) { WriteFixed(static_cast<uint64_t>(v)); }
    void WriteFloat(float v) { WriteFixed(std::bit_cast<uint32_t>(v)); }
    void WriteDouble(double v) { WriteFixed(std::bit_cast<uint64_t>(v)); }
    void WriteBool(bool v) { WriteU8(v ? 1 : 0); }
    void WriteCount(int32_t v);

    // Keeps at most longest characters and skips the rest; returns the kept length.
    int32_t ReadString(XAString& string, int32_t longest);
    void WriteCString(const char* text);
    void WriteString(const XAString& s);

    // A version pair is two counts: the version the writer wrote, and the oldest version of a
    // reader that can still read it.
    void WriteVersion(int32_t version, int32_t minimumReader);
    // Reads a pair as a reader that knows versions oldest to newest: false, with an error, when
    // the stream needs a reader newer than newest or was written in a version older than oldest;
    // also false when the archive holds an error from before.
    bool CheckVersion(int32_t newest, int32_t oldest);
    // CheckVersion, answering the version the stream was written in through stored.
    bool ReadVersion(int32_t newest, int32_t oldest, int32_t& stored);
    // The same for a second pair (a record's own version, which may follow the stream's), kept
    // apart from the first; it judges the pair alone and ignores an earlier error.
    bool CheckVersion2(int32_t newest, int32_t oldest);
    bool ReadVersion2(int32_t newest, int32_t oldest, int32_t& stored);

    int32_t StoredVersion() const { return version_.stored; }
    int32_t StoredMinimumReader() const { return version_.minimumReader; }
    int32_t StoredVersion2() const { return version2_.stored; }
    int32_t StoredMinimumReader2() const { return version2_.minimumReader; }

    // False, with the bytes left consumed and "End of file!" recorded, when a stream of known
    // size holds fewer than n bytes; checked before a count from the stream is allocated.
    bool HasBytes(int32_t n);

  protected:
    // Bytes between the logical position and the end of a stream whose size is known, else -1.
    int64_t BytesLeft();
    // Moves the raw position by what a raw transfer moved; positions stop below 2 GiB.
    void AdvanceRaw(int32_t n);
    // The part of a relative move that the buffers settle: true when the move is done (no
    // distance, or a reader's target inside its read buffer). Otherwise a writer has flushed or a
    // reader dropped its buffer, and rawDistance is the move the raw stream has still to make.
    bool SeekWithinBuffer(int32_t distance, int64_t& rawDistance);

  private:
    struct VersionPair
    {
        int32_t stored = 0;
        int32_t minimumReader = 0;
    };

    template <class T> static T BigEndian(T v)
    {
        if constexpr (std::endian::native == std::endian::big || sizeof(T) == 1)
            return v;
        else if constexpr (sizeof(T) == 2)
            return __builtin_bswap16(v);
        else if constexpr (sizeof(T) == 4)
            return __builtin_bswap32(v);
        else
            return __builtin_bswap64(v);
    }

    template <class T> T ReadFixed()
    {
        if (readEnd_ - readCursor_ < static_cast<std::ptrdiff_t>(sizeof(T)))
            return static_cast<T>(ReadSlowly(sizeof(T)));
        T v;
        std::memcpy(&v, readCursor_, sizeof v);
        readCursor_ += sizeof v;
        return BigEndian(v);
    }

    template <class T> void WriteFixed(T v)
    {
        if (writeEnd_ - writeCursor_ < static_cast<std::ptrdiff_t>(sizeof(T))) {
            WriteSlowly(v, sizeof(T));
            return;
        }
        v = BigEndian(v);
        std::memcpy(writeCursor_, &v, sizeof v);
        writeCursor_ += sizeof v;
    }

    // A value of w bytes after a refill; 0 at end of data, nothing consumed.
    uint64_t ReadSlowly(int32_t w);
    // The low w bytes of v after a flush.
    void WriteSlowly(uint64_t v, int32_t w);
    bool CheckVersionInto(VersionPair& pair, int32_t newest, int32_t oldest);
    // Room for w more bytes in the write buffer, flushing when needed; false when not a writer.
    uint8_t* ReserveWrite(int32_t w);
    // w buffered bytes, refilling when needed; null at end of data.
    const uint8_t* TakeRead(int32_t w);

    CError status_;
    uint8_t* readBase_ = nullptr;
    int32_t readSize_ = 0;
    uint8_t* readCursor_ = nullptr;
    uint8_t* readEnd_ = nullptr;
    uint8_t* writeBase_ = nullptr;
    int32_t writeSize_ = 0;
    uint8_t* writeCursor_ = nullptr;
    uint8_t* writeEnd_ = nullptr;
    int32_t rawPosition_ = 0;
    VersionPair version_;
    VersionPair version2_;
};

// Error texts that concrete archives share with the base.
inline constexpr const char* kArchiveEndOfFileText = "End of file!";
inline constexpr const char* kArchiveOutOfMemoryText = "Out of memory!";
inline constexpr const char* kArchiveNotReaderText = "Archive not open for reading!";
inline constexpr const char* kArchiveNotWriterText = "Archive not open for writing!";
inline constexpr const char* kArchiveTooLargeText = "Streams of 2 GB and more are not supported!";
