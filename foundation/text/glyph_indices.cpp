#include "foundation/text/glyph_indices.h"

#include "foundation/strings/char_tables.h"

#include <cstring>
#include <limits>

namespace {

constexpr uint32_t kCmapTag = FontTableTag('c', 'm', 'a', 'p');
constexpr uint32_t kRecordCountOffset = 2;
constexpr uint32_t kRecordsOffset = 4;
constexpr uint32_t kRecordBytes = 8;
constexpr uint16_t kPlatformWindows = 3;
constexpr uint16_t kEncodingSymbol = 0;
constexpr uint16_t kEncodingUnicodeBmp = 1;
constexpr uint16_t kFormatSegmentMapping = 4;

// The subtable: seven header words, the end codes, a pad word, then the start codes, deltas and
// range offsets of every segment, then the glyph index array.
constexpr uint32_t kHeaderBytes = 14;
constexpr uint32_t kLengthOffset = 2;
constexpr uint32_t kSegmentCountX2Offset = 6;
constexpr uint32_t kEndCodesOffset = 14;
constexpr uint32_t kStartCodesOffset = 16;
constexpr uint32_t kSegmentArrays = 4;

uint16_t BigEndian16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

uint32_t BigEndian32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(BigEndian16(bytes)) << 16 | BigEndian16(bytes + 2);
}

// Reads exactly `length` bytes of the table; offsets beyond 32 bits are never in a font.
bool ReadCmap(const FontDataSource& font, uint64_t offset, void* buffer, uint32_t length)
{
    return offset <= std::numeric_limits<uint32_t>::max() &&
           font.GetFontData(kCmapTag, static_cast<uint32_t>(offset), buffer, length) == int64_t{length};
}

// The subtable offset of the last Windows record with Unicode or symbol encoding; false when a
// record cannot be read or none qualifies.
bool FindSubtable(const FontDataSource& font, uint32_t& subtableOffset)
{
    uint8_t count[2];
    if (!ReadCmap(font, kRecordCountOffset, count, sizeof count))
        return false;
    bool found = false;
    for (uint32_t i = 0; i < BigEndian16(count); ++i) {
        uint8_t record[kRecordBytes];
        if (!ReadCmap(font, kRecordsOffset + uint64_t{kRecordBytes} * i, record, sizeof record))
            return false;
        const uint16_t platform = BigEndian16(record);
        const uint16_t encoding = BigEndian16(record + 2);
        if (platform == kPlatformWindows &&
            (encoding == kEncodingUnicodeBmp || encoding == kEncodingSymbol)) {
            subtableOffset = BigEndian32(record + 4);
            found = true;
        }
    }
    return found;
}

} // namespace

LW32GetGlyphIndices::LW32GetGlyphIndices(const FontDataSource* font)
{
    if (font)
        Load(*font);
}

LW32GetGlyphIndices::~LW32GetGlyphIndices() = default;

bool LW32GetGlyphIndices::Load(const FontDataSource& font)
{
    uint32_t offset = 0;
    uint8_t header[kHeaderBytes];
    if (!FindSubtable(font, offset) || !ReadCmap(font, offset, header, sizeof header) ||
        BigEndian16(header) != kFormatSegmentMapping)
        return false;
    const uint32_t length = BigEndian16(header + kLengthOffset);
    const int32_t segmentCount = BigEndian16(header + kSegmentCountX2Offset) / 2;
    // The four segment arrays and the pad word must lie inside the subtable.
    if (kStartCodesOffset + kSegmentArrays * 2 * static_cast<uint32_t>(segmentCount) > length)
        return false;

    XABlock block;
    const int32_t words = static_cast<int32_t>((length + 1) / 2);
    uint16_t* subtable = block.AllocArray8<uint16_t>(words);
    if (!subtable)
        return false;
    subtable[words - 1] = 0; // an odd length leaves half of the last word unread
    auto* bytes = reinterpret_cast<uint8_t*>(subtable);
    std::memcpy(bytes, header, sizeof header);
    if (!ReadCmap(font, uint64_t{offset} + kHeaderBytes, bytes + kHeaderBytes, length - kHeaderBytes))
        return false;
    for (uint32_t i = 0; i < length / 2; ++i)
        subtable[i] = BigEndian16(bytes + 2 * i);

    block_ = std::move(block);
    subtable_ = subtable;
    length_ = length;
    segmentCount_ = segmentCount;
    endCodes_ = subtable + kEndCodesOffset / 2;
    startCodes_ = subtable + kStartCodesOffset / 2 + segmentCount;
    deltas_ = startCodes_ + segmentCount;
    rangeOffsets_ = deltas_ + segmentCount;
    return true;
}

uint16_t LW32GetGlyphIndices::GlyphOfCode(char16_t code) const
{
    if (!subtable_)
        return 0;
    int32_t segment = 0;
    while (segment < segmentCount_ && endCodes_[segment] < code)
        ++segment;
    if (segment == segmentCount_ || code < startCodes_[segment])
        return 0;
    if (rangeOffsets_[segment] == 0)
        return static_cast<uint16_t>(code + deltas_[segment]);
    return GlyphFromArray(segment, code);
}

// The range offset counts bytes from its own place in the subtable to the segment's first entry
// in the glyph index array. Entries outside the subtable count as missing glyphs.
uint16_t LW32GetGlyphIndices::GlyphFromArray(int32_t segment, char16_t code) const
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(subtable_);
    const auto* rangeOffset = reinterpret_cast<const uint8_t*>(rangeOffsets_ + segment);
    const uint64_t position = static_cast<uint64_t>(rangeOffset - bytes) + rangeOffsets_[segment] +
                              2 * uint64_t{static_cast<uint16_t>(code - startCodes_[segment])};
    if (position + 2 > length_)
        return 0;
    uint16_t glyph = 0;
    std::memcpy(&glyph, bytes + position, sizeof glyph); // an odd offset is not aligned
    return glyph == 0 ? 0 : static_cast<uint16_t>(glyph + deltas_[segment]);
}

uint16_t LW32GetGlyphIndices::GlyphOfChar(uint8_t character) const
{
    const char16_t unicode = AnsiToUnicodeTable()[character];
    return unicode == 0 ? 0 : GlyphOfCode(unicode);
}

bool LW32GetGlyphIndices::GetPresence(uint8_t* flags, uint8_t lastCode) const
{
    if (!subtable_)
        return false;
    for (uint32_t character = 0; character <= lastCode; ++character)
        flags[character] = GlyphOfChar(static_cast<uint8_t>(character)) != 0 ? 1 : 0;
    return true;
}
