#include "platform/raster_surface.h"

#include <utility>

RasterBitmap* RasterSurface::SelectBitmap(RasterBitmap* bitmap)
{
    return std::exchange(bitmap_, bitmap);
}

const FontFace* RasterSurface::SelectFont(const FontFace* font)
{
    return std::exchange(font_, font);
}

RgbColour RasterSurface::SetTextColour(RgbColour colour)
{
    return std::exchange(textColour_, colour);
}

void RasterSurface::FillRect(const RasterRect& rect, RgbColour colour)
{
    if (bitmap_)
        bitmap_->FillRect(rect, colour);
}

void RasterSurface::TextOut(int32_t x, int32_t y, std::u16string_view text)
{
    if (bitmap_ && font_)
        DrawText(*bitmap_, *font_, x, y, text, textColour_);
}

TextExtent RasterSurface::GetTextExtent(std::u16string_view text) const
{
    return font_ ? MeasureText(*font_, text) : TextExtent();
}

std::string RasterSurface::GetTextFace() const
{
    return font_ ? font_->FaceName() : std::string();
}

int64_t RasterSurface::GetFontData(uint32_t tag, uint32_t offset, void* buffer, uint32_t length) const
{
    return font_ ? font_->GetFontData(tag, offset, buffer, length) : kNoData;
}
