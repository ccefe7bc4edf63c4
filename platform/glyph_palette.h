// The colours of the glyphs that resources draw as character tables (a toolbar's tools): the
// sixteen colours of the classic desktop palette, one letter each, and blank for transparent.
//   k black   r maroon  e green   y olive   b navy    m purple  c teal    s silver
//   g grey    R red     E lime    Y yellow  B blue    M magenta C aqua    w white
#pragma once

#include <cstdint>
#include <optional>

// 0xRRGGBB of the letter; none for a blank (transparent) and for a letter not in the palette.
std::optional<uint32_t> GlyphColour(char letter);
