#include "platform/dialog_units.h"

#include "platform/text_raster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// DejaVu Sans at an 11-pixel em, as measured; used only when no font can be opened.
constexpr DialogBaseUnits kFallbackBaseUnits{7, 13};
constexpr int32_t kDialogEmPixels = 11;
constexpr int32_t kHorizontalDivisor = 4;
constexpr int32_t kVerticalDivisor = 8;

std::u16string Alphabet()
{
    std::u16string letters;
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        letters += c;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        letters += c;
    return letters;
}

} // namespace

FontSpec DialogFontSpec()
{
    FontSpec spec;
    spec.faceName = "DejaVu Sans";
    spec.height = -kDialogEmPixels;
    return spec;
}

const FontFace* DialogFont()
{
    static const std::unique_ptr<FontFace> font = FontFace::Create(DialogFontSpec());
    return font.get();
}

DialogBaseUnits MeasureDialogBaseUnits(const FontFace& font)
{
    const TextExtent extent = MeasureText(font, Alphabet());
    return {(extent.width / 26 + 1) / 2, extent.height};
}

DialogBaseUnits DialogFontBaseUnits()
{
    const FontFace* font = DialogFont();
    return font ? MeasureDialogBaseUnits(*font) : kFallbackBaseUnits;
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return 0;
    const int64_t product = int64_t{a} * b;
    const int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    const int64_t result = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

RasterRect ConvertDialogToPixels(const RasterRect& dialogUnits, const DialogBaseUnits& base)
{
    return {MulDiv(dialogUnits.left, base.x, kHorizontalDivisor),
            MulDiv(dialogUnits.top, base.y, kVerticalDivisor),
            MulDiv(dialogUnits.right, base.x, kHorizontalDivisor),
            MulDiv(dialogUnits.bottom, base.y, kVerticalDivisor)};
}

RasterRect ConvertDialogToPixels(const RasterRect& dialogUnits)
{
    return ConvertDialogToPixels(dialogUnits, DialogFontBaseUnits());
}
