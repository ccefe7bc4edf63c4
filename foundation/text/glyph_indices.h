// Which characters a font can draw: the glyph indices of its Unicode character map (the
// Windows-platform, segment-mapped subtable of the "cmap" table), read through the font's table
// bytes. The preview's font texture skips the characters whose glyph index is 0.
#pragma once

#include "platform/font_data_source.h"
#include "foundation/strings/xa_block.h"

#include <cstdint>

class LW32GetGlyphIndices
{
  public:
    // Loads the character map of the font (a drawing context hands out its selected font's);
    // null, or a font without a usable map, leaves the object empty.
    explicit LW32GetGlyphIndices(const FontDataSource* font);
    virtual ~LW32GetGlyphIndices();
    LW32GetGlyphIndices(const LW32GetGlyphIndices&) = delete;
    LW32GetGlyphIndices& operator=(const LW32GetGlyphIndices&) = delete;

    bool IsLoaded() const { return subtable_ != nullptr; }
    // The glyph of a 16-bit character code; 0 when the font has none or nothing is loaded.
    uint16_t GlyphOfCode(char16_t code) const;
    // The glyph of a Windows-1252 character; 0 for characters that code lacks.
    uint16_t GlyphOfChar(uint8_t character) const;
    // flags[c] = 1 when character c has a glyph, else 0, for every c from 0 to lastCode: exactly
    // lastCode + 1 bytes. False, and nothing written, when nothing is loaded.
    bool GetPresence(uint8_t* flags, uint8_t lastCode) const;

  private:
    bool Load(const FontDataSource& font);
    uint16_t GlyphFromArray(int32_t segment, char16_t code) const;

    XABlock block_;                      // the subtable in native byte order
    const uint16_t* subtable_ = nullptr; // null when nothing is loaded
    uint32_t length_ = 0;                // bytes of the subtable
    int32_t segmentCount_ = 0;
    const uint16_t* startCodes_ = nullptr;
    const uint16_t* deltas_ = nullptr;
    const uint16_t* rangeOffsets_ = nullptr; // the glyph index array follows them
    const uint16_t* endCodes_ = nullptr;
};
