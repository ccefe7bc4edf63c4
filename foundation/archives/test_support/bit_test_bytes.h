#pragma once
// A bit archive over a byte vector, and bit strings, for the bit archive and Huffman tests.

#include "foundation/archives/bit_archive.h"

#include <string>
#include <vector>

class VectorBitArchive : public LBitArchiveBytes
{
  public:
    VectorBitArchive() = default;
    explicit VectorBitArchive(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    uint8_t ReadByte() override { return next_ < bytes_.size() ? bytes_[next_++] : 0; }
    void WriteByte(uint8_t byte) override { bytes_.push_back(byte); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  protected:
    int32_t LookAhead(const uint8_t*& bytes) override
    {
        bytes = bytes_.data() + next_;
        return static_cast<int32_t>(bytes_.size() - next_);
    }
    int64_t BytesLeft() override { return static_cast<int64_t>(bytes_.size() - next_); }

  private:
    std::vector<uint8_t> bytes_;
    size_t next_ = 0;
};

// "0101 1" -> bytes, most significant bit first, padded with zeros; spaces and '|' ignored.
inline std::vector<uint8_t> BitStringBytes(const std::string& bits)
{
    std::vector<uint8_t> bytes;
    int n = 0;
    for (char c : bits) {
        if (c != '0' && c != '1')
            continue;
        if (n % 8 == 0)
            bytes.push_back(0);
        if (c == '1')
            bytes.back() |= uint8_t(0x80 >> (n % 8));
        ++n;
    }
    return bytes;
}
