// Measuring and drawing a line of text with a font, the way the system's text output does it:
// the pen starts at the top left of the first character cell, advances by whole pixels, and
// nothing is kerned. Drawing is transparent: only the glyphs' pixels change, each moved towards
// the colour by its coverage. Text is 16-bit; surrogate pairs make one character.
#pragma once

#include "platform/font_face.h"
#include "platform/raster_bitmap.h"

#include <cstdint>
#include <string_view>

struct TextExtent
{
    int32_t width = 0;  // sum of the advances
    int32_t height = 0; // the font's cell height
};

TextExtent MeasureText(const FontFace& font, std::u16string_view text);

// Draws text with the top left of its first cell at (x, y); what falls outside the bitmap is cut.
void DrawText(RasterBitmap& bitmap, const FontFace& font, int32_t x, int32_t y, std::u16string_view text,
              RgbColour colour);
