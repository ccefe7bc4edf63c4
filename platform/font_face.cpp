#include "platform/font_face.h"

#include "platform/text_raster.h"

FontFace::FontFace(std::string faceName, bool antialiased)
    : faceName_(std::move(faceName)), antialiased_(antialiased)
{
}

std::unique_ptr<FontFace> FontFace::Create(const FontSpec& spec)
{
    return CurrentTextRaster().OpenFont(spec);
}
