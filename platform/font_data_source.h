// A source of a font's table bytes, the way a drawing context hands out the selected font's
// data. The character-map reader takes one, so that it can read real fonts and test tables alike.
#pragma once

#include <cstdint>

// The four-letter tag of a table as the font stores it: the first letter in the high byte.
constexpr uint32_t FontTableTag(char a, char b, char c, char d)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(d));
}

class FontDataSource
{
  public:
    // Answer of GetFontData when the table is missing or the offset lies beyond it.
    static constexpr int64_t kNoData = -1;

    virtual ~FontDataSource() = default;

    // Copies up to length bytes of the table `tag` from offset on into buffer and returns how
    // many it copied: fewer than asked at the table's end. Tag 0 stands for the whole font file.
    virtual int64_t GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const = 0;
};
