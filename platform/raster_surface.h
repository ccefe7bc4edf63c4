// A drawing context over an off-screen bitmap: the bitmap and the font selected into it, a text
// colour, and the drawing operations the program uses. Selecting returns what was selected
// before, so that an owner can put it back; the context owns neither. Coordinates are pixels
// from the bitmap's top left.
//
// Without a bitmap, drawing does nothing; without a font, text draws nothing, measures 0 x 0,
// has an empty face name and no font data.
#pragma once

#include "platform/font_data_source.h"
#include "platform/font_face.h"
#include "platform/raster_bitmap.h"
#include "platform/text_raster.h"

#include <cstdint>
#include <string>
#include <string_view>

class RasterSurface : public FontDataSource
{
  public:
    RasterBitmap* SelectBitmap(RasterBitmap* bitmap);
    RasterBitmap* SelectedBitmap() const { return bitmap_; }
    const FontFace* SelectFont(const FontFace* font);
    const FontFace* SelectedFont() const { return font_; }
    // The colour text is drawn in (black at first); returns the one before.
    RgbColour SetTextColour(RgbColour colour);

    void FillRect(const RasterRect& rect, RgbColour colour);
    // Transparent text with the top left of its first cell at (x, y).
    void TextOut(int32_t x, int32_t y, std::u16string_view text);
    TextExtent GetTextExtent(std::u16string_view text) const;
    // The selected font's actual face name.
    std::string GetTextFace() const;

    // The selected font's table bytes.
    int64_t GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const override;

  private:
    RasterBitmap* bitmap_ = nullptr;
    const FontFace* font_ = nullptr;
    RgbColour textColour_ = kRgbBlack;
};
