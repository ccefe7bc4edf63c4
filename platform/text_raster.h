// The text raster service: opens fonts (FontFace) for measuring and drawing text, and measures
// and draws a line of text with one, the way the system's text output does it: the pen starts at
// the top left of the first character cell, advances by whole pixels, and nothing is kerned.
// Drawing is transparent: only the glyphs' pixels change, each moved towards the colour by its
// coverage. Text is 16-bit; surrogate pairs make one character.
//
// Contract:
// - Mandatory: OpenFont and LastError. A request whose face is not installed gets the default
//   face (kDefaultFontFace); OpenFont fails only when no font at all can be opened, and then
//   LastError() carries the backend's own reason (FreeType's words for its error).
// - Optional: nothing.
// - The caller guarantees that it uses a face on one thread at a time and keeps a raster alive
//   while faces it made are in use.
// - Threads: CurrentTextRaster() opens fonts on the GUI thread; SetTextRaster() and
//   ScopedTextRaster put another raster in place there. MeasureText and DrawText work with a face
//   of any raster.
#pragma once

#include "platform/font_face.h"
#include "platform/raster_bitmap.h"
#include "platform/scoped_service.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TextRaster
{
  public:
    virtual ~TextRaster() = default;
    // The face that answers spec, at the requested size; null when none can be opened, and
    // LastError() says why.
    virtual std::unique_ptr<FontFace> OpenFont(const FontSpec& spec) = 0;
    // Why the last OpenFont failed; empty after one that succeeded.
    virtual std::string LastError() const = 0;
};

// The raster in use, never null: FreeType's until another is set.
TextRaster& CurrentTextRaster();
// Puts raster in place (null: FreeType's again) and returns the one it replaces (null for
// FreeType's). The caller keeps raster alive while it is in place.
TextRaster* SetTextRaster(TextRaster* raster);
using ScopedTextRaster = ScopedService<TextRaster, SetTextRaster>;

// The real backend: fonts found by fontconfig and drawn by FreeType.
TextRaster& FreeTypeTextRaster();

struct TextExtent
{
    int32_t width = 0;  // sum of the advances
    int32_t height = 0; // the font's cell height
};

TextExtent MeasureText(const FontFace& font, std::u16string_view text);

// Draws text with the top left of its first cell at (x, y); what falls outside the bitmap is cut.
void DrawText(RasterBitmap& bitmap, const FontFace& font, int32_t x, int32_t y, std::u16string_view text,
              RgbColour colour);
