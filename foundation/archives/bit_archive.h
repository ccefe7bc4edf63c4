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

// Reading keeps up to 64 bits in a window. Bytes that the source already holds (its look-ahead)
// enter the window eight at a time and are consumed at the source only when the window moves
// past them or at a flush, so a reader takes whole symbols without a call per byte; bytes the
// source does not hold yet are read one at a time, only when their bits are needed.
class LBitArchiveBytes : public LBitArchive
{
  public:
    // The longest PeekBits.
    static constexpr int32_t kLongestPeek = 57;

    ~LBitArchiveBytes() override = default;

    void WriteBits(uint32_t value, int32_t n) override;
    uint32_t ReadBits(int32_t n) override { return ReadWindowBits(n); }
    void Flush() override;

    // The byte source and sink; here there is none: reads give 0, writes go nowhere. The source
    // is read only through this archive between two flushes.
    virtual uint8_t ReadByte() { return 0; }
    virtual void WriteByte(uint8_t byte) {}

    uint32_t ReadBit() { return ReadWindowBits(1); }

    // Consumes n bits, as ReadBits does, without building a value.
    void SkipBits(int32_t n)
    {
        if (n <= windowBits_) {
            Drop(n);
            return;
        }
        for (; n > 0; n -= kWordBits)
            ReadWindowBits(n < kWordBits ? n : kWordBits);
    }

    // The next n bits (1 to 32) when they can be seen without reading a byte that the source
    // has not buffered yet; nothing is consumed.
    bool PeekBits(int32_t n, uint32_t& value)
    {
        if (windowBits_ < n && !Fill(n))
            return false;
        value = static_cast<uint32_t>(window_ >> (kWindowBits - n));
        return true;
    }
    int64_t BitsLeft() override;
    // Bits consumed so far by reading (a flush skips to the next byte).
    int64_t BitPosition() const { return bytesPulled_ * 8 - windowBits_; }

  protected:
    // Bytes that the next ReadByte calls will return, readable without consuming them.
    virtual int32_t LookAhead(const uint8_t*& bytes)
    {
        bytes = nullptr;
        return 0;
    }
    // The first n bytes of the look-ahead are used up.
    virtual void Consume(int32_t n)
    {
        for (int32_t i = 0; i < n; ++i)
            ReadByte();
    }
    // The bytes the source still holds, or -1 when unknown.
    virtual int64_t BytesLeft() { return -1; }

  private:
    static constexpr int32_t kWordBits = 32;
    static constexpr int32_t kWindowBits = 64;

    uint32_t ReadWindowBits(int32_t n)
    {
        if (n <= 0)
            return 0;
        if (n > kWordBits)
            n = kWordBits;
        if (windowBits_ < n && !Fill(n))
            ReadSourceBytes(n);
        const auto value = static_cast<uint32_t>(window_ >> (kWindowBits - n));
        Drop(n);
        return value;
    }

    void Drop(int32_t n)
    {
        window_ = n < kWindowBits ? window_ << n : 0;
        windowBits_ -= n;
    }

    // At least n bits (n up to kLongestPeek) in the window from the look-ahead alone.
    bool Fill(int32_t n)
    {
        if (aheadCount_ >= 8) {
            TakeEightAhead();
            return windowBits_ >= n;
        }
        return FillSlowly(n);
    }
    void TakeEightAhead();
    bool FillSlowly(int32_t n);
    // Consumes the bytes the window moved past and looks at the source's bytes anew.
    bool LookFurther();
    // Reads bytes one at a time until the window holds n bits.
    void ReadSourceBytes(int32_t n);

    uint64_t window_ = 0; // unread bits from the top; the bits below them are 0
    int32_t windowBits_ = 0;
    int64_t bytesPulled_ = 0;        // into the window
    const uint8_t* ahead_ = nullptr; // the source's buffered bytes not yet in the window
    int32_t aheadCount_ = 0;
    int32_t pending_ = 0; // look-ahead bytes in the window or passed, not yet consumed at the source
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
    void Consume(int32_t n) override;
    int64_t BytesLeft() override;

  private:
    LArchiveBase* archive_;
};
