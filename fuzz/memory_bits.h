#pragma once
// Collects the bytes a bit writer produces, and hands them back for reading. It offers no
// look-ahead, so decoders over it take their bit-by-bit paths.

#include "foundation/archives/bit_archive.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class MemoryBits : public LBitArchiveBytes
{
  public:
    uint8_t ReadByte() override { return next_ < bytes_.size() ? bytes_[next_++] : 0; }
    void WriteByte(uint8_t byte) override { bytes_.push_back(byte); }

  private:
    std::vector<uint8_t> bytes_;
    size_t next_ = 0;
};
