#pragma once
// Bit streams, most significant bit first: the bit packer (LBitArchiveBytes) over a byte
// source and sink, and LBitLArchive, which reads and writes the bytes through an archive and
// shares its error status. Used by the Huffman tables and the frame codec.

#include "foundation/errors/c_error.h"

#include <cstdint>

class LArchiveBase;

class LBitArchive
{
  public:
    LBitArchive() = default;
    LBitArchive(const LBitArchive&) = delete;
    LBitArchive& operator=(const LBitArchive&) = delete;
    virtual ~LBitArchive() = default;

    CError& Status() { return *status_; }
    const CError& Status() const { return *status_; }
    bool Failed() const { return status_->Failed(); }

    // The low n bits of value (n up to 32).
    virtual void WriteBits(uint32_t value, int32_t n) {}
    // The next n bits (n up to 32; 0 for n <= 0).
    virtual uint32_t ReadBits(int32_t n) { return 0; }
    // Byte alignment for both directions.
    virtual void Flush() {}
    // An upper bound of the bits still to be read, or -1 when unknown.
    virtual int64_t BitsLeft() { return -1; }

    // ReadBits with bit n - 1 extended as the sign.
    int32_t ReadSigned(int32_t n);

    // A 5-bit length L, then the value in L bits; values must fit in 31 bits.
    void WriteUnsignedPrefixed(uint32_t v);
    uint32_t ReadUnsignedPrefixed();
    void WriteSignedPrefixed(int32_t v);
    int32_t ReadSignedPrefixed();

    void WriteVersion(uint32_t version, uint32_t minimumReader);
    bool CheckVersion(uint32_t newest, uint32_t oldest, uint32_t* version = nullptr,
                      uint32_t* minimumReader = nullptr);

  protected:
    // Archives that share another object's status point it there.
    void ShareStatus(CError& status) { status_ = &status; }

  private:
    CError ownStatus_;
    CError* status_ = &ownStatus_;
};

class LBitArchiveBytes : public LBitArchive
{
  public:
    ~LBitArchiveBytes() override = default;

    void WriteBits(uint32_t value, int32_t n) override;
    uint32_t ReadBits(int32_t n) override;
    void Flush() override;

    // The byte source and sink; here there is none: reads give 0, writes go nowhere. The source
    // is read only through this archive between two flushes.
    virtual uint8_t ReadByte() { return 0; }
    virtual void WriteByte(uint8_t byte) {}

    // One bit, without a virtual call unless a new byte is needed.
    uint32_t ReadBit()
    {
        if (readBits_ == 0)
            FetchByte();
        return (readByte_ >> --readBits_) & 1u;
    }

    // Consumes n bits, as ReadBits does, without building a value.
    void SkipBits(int32_t n)
    {
        while (n > readBits_) {
            n -= readBits_;
            FetchByte();
        }
        readBits_ -= n;
    }

    // The next n bits (n up to 24) when they can be seen without fetching a byte that the
    // source has not buffered yet; nothing is consumed.
    bool PeekBits(int32_t n, uint32_t& value)
    {
        if (readBits_ + 8 * aheadCount_ < n && !LookFurther(n))
            return false;
        uint32_t window = readByte_ & ((1u << readBits_) - 1);
        int32_t have = readBits_;
        for (const uint8_t* next = ahead_; have < n; ++next, have += 8)
            window = window << 8 | *next;
        value = window >> (have - n);
        return true;
    }
    int64_t BitsLeft() override;
    // Bits consumed so far by reading (a flush skips to the next byte).
    int64_t BitPosition() const { return bytesFetched_ * 8 - readBits_; }

  protected:
    // Bytes that the next ReadByte calls will return, readable without consuming them.
    virtual int32_t LookAhead(const uint8_t*& bytes)
    {
        bytes = nullptr;
        return 0;
    }
    // The bytes the source still holds, or -1 when unknown.
    virtual int64_t BytesLeft() { return -1; }

  private:
    // Refreshes the bytes seen ahead; false when fewer than n bits can be seen.
    bool LookFurther(int32_t n);

    void FetchByte()
    {
        readByte_ = ReadByte();
        readBits_ = 8;
        ++bytesFetched_;
        // The byte came from the front of the bytes seen ahead.
        if (aheadCount_ > 0) {
            ++ahead_;
            --aheadCount_;
        }
    }

    int64_t bytesFetched_ = 0;
    const uint8_t* ahead_ = nullptr; // the source's buffered bytes, as last seen
    int32_t aheadCount_ = 0;
    uint8_t readByte_ = 0;
    int32_t readBits_ = 0; // not yet read, 0..8
    uint8_t writeByte_ = 0;
    int32_t writeFree_ = 8; // still free, 8..1
};

class LBitLArchive : public LBitArchiveBytes
{
  public:
    // The archive is not owned; without one reads give 0 and writes go nowhere.
    explicit LBitLArchive(LArchiveBase* archive);
    // The last partial byte reaches the archive.
    ~LBitLArchive() override;

    uint8_t ReadByte() override;
    void WriteByte(uint8_t byte) override;

  protected:
    int32_t LookAhead(const uint8_t*& bytes) override;
    int64_t BytesLeft() override;

  private:
    LArchiveBase* archive_;
};
