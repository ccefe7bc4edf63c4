// Character-map tables for tests and the fuzz corpus: a writer of "cmap" tables with
// segment-mapped (format 4) and trimmed (format 6) subtables, and a font data source that serves
// such a table.
#pragma once

#include "platform/font_data_source.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

struct CmapSegment
{
    uint16_t start = 0;
    uint16_t end = 0;
    uint16_t delta = 0; // added modulo 65,536
    // Empty: glyph = code + delta. Otherwise one entry per code from start to end, found through
    // the range offset (0 stays "no glyph").
    std::vector<uint16_t> glyphs;
};

// The segment every table ends with: code 0xFFFF, which maps to glyph 0.
inline CmapSegment CmapEndSegment()
{
    return {0xFFFF, 0xFFFF, 1, {}};
}

inline void PutBigEndian16(std::vector<uint8_t>& bytes, uint32_t value)
{
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value));
}

inline void PutBigEndian32(std::vector<uint8_t>& bytes, uint32_t value)
{
    PutBigEndian16(bytes, value >> 16);
    PutBigEndian16(bytes, value & 0xFFFF);
}

inline void SetBigEndian16(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    bytes[offset] = static_cast<uint8_t>(value >> 8);
    bytes[offset + 1] = static_cast<uint8_t>(value);
}

inline std::vector<uint8_t> BuildCmapFormat4(const std::vector<CmapSegment>& segments)
{
    const auto count = static_cast<uint32_t>(segments.size());
    std::vector<uint16_t> rangeOffsets;
    std::vector<uint16_t> glyphArray;
    for (uint32_t i = 0; i < count; ++i) {
        if (segments[i].glyphs.empty()) {
            rangeOffsets.push_back(0);
            continue;
        }
        // From this range offset's own place to the segment's first glyph array entry.
        rangeOffsets.push_back(static_cast<uint16_t>(2 * (count - i) + 2 * glyphArray.size()));
        glyphArray.insert(glyphArray.end(), segments[i].glyphs.begin(), segments[i].glyphs.end());
    }
    std::vector<uint8_t> bytes;
    PutBigEndian16(bytes, 4); // format
    PutBigEndian16(bytes, 0); // length, set below
    PutBigEndian16(bytes, 0); // language
    PutBigEndian16(bytes, 2 * count);
    uint32_t power = 1;
    uint32_t log2 = 0;
    while (2 * power <= count) {
        power *= 2;
        ++log2;
    }
    PutBigEndian16(bytes, 2 * power);
    PutBigEndian16(bytes, log2);
    PutBigEndian16(bytes, 2 * count - 2 * power);
    for (const CmapSegment& segment : segments)
        PutBigEndian16(bytes, segment.end);
    PutBigEndian16(bytes, 0); // pad
    for (const CmapSegment& segment : segments)
        PutBigEndian16(bytes, segment.start);
    for (const CmapSegment& segment : segments)
        PutBigEndian16(bytes, segment.delta);
    for (const uint16_t offset : rangeOffsets)
        PutBigEndian16(bytes, offset);
    for (const uint16_t glyph : glyphArray)
        PutBigEndian16(bytes, glyph);
    SetBigEndian16(bytes, 2, static_cast<uint32_t>(bytes.size()));
    return bytes;
}

// Glyphs for the codes first .. first + glyphs.size() - 1.
inline std::vector<uint8_t> BuildCmapFormat6(uint16_t first, const std::vector<uint16_t>& glyphs)
{
    std::vector<uint8_t> bytes;
    PutBigEndian16(bytes, 6);
    PutBigEndian16(bytes, static_cast<uint32_t>(10 + 2 * glyphs.size()));
    PutBigEndian16(bytes, 0);
    PutBigEndian16(bytes, first);
    PutBigEndian16(bytes, static_cast<uint32_t>(glyphs.size()));
    for (const uint16_t glyph : glyphs)
        PutBigEndian16(bytes, glyph);
    return bytes;
}

struct CmapRecord
{
    uint16_t platform = 0;
    uint16_t encoding = 0;
    std::vector<uint8_t> subtable;
};

// The table: version 0, the encoding records, then their subtables in the same order.
inline std::vector<uint8_t> BuildCmapTable(const std::vector<CmapRecord>& records)
{
    std::vector<uint8_t> bytes;
    PutBigEndian16(bytes, 0);
    PutBigEndian16(bytes, static_cast<uint32_t>(records.size()));
    auto offset = static_cast<uint32_t>(4 + 8 * records.size());
    for (const CmapRecord& record : records) {
        PutBigEndian16(bytes, record.platform);
        PutBigEndian16(bytes, record.encoding);
        PutBigEndian32(bytes, offset);
        offset += static_cast<uint32_t>(record.subtable.size());
    }
    for (const CmapRecord& record : records)
        bytes.insert(bytes.end(), record.subtable.begin(), record.subtable.end());
    return bytes;
}

// A font that has just a "cmap" table with the given bytes.
class CmapFontData : public FontDataSource
{
  public:
    explicit CmapFontData(std::vector<uint8_t> cmap) : cmap_(std::move(cmap)) {}
    CmapFontData(const uint8_t* data, size_t size) : cmap_(data, data + size) {}

    int64_t GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const override
    {
        if (tag != FontTableTag('c', 'm', 'a', 'p') || offset > cmap_.size())
            return kNoData;
        const size_t count = std::min<size_t>(length, cmap_.size() - offset);
        if (count > 0)
            std::memcpy(buffer, cmap_.data() + offset, count);
        return static_cast<int64_t>(count);
    }

  private:
    std::vector<uint8_t> cmap_;
};
