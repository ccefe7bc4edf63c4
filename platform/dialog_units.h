// Dialog units: templates give positions and sizes in units of the dialog font, a quarter of its
// average character width across and an eighth of its height down. Every template is laid out
// with the one dialog font, "MS Sans Serif" 8 point, which here is DejaVu Sans with an 11-pixel
// em (96 dots per inch, fixed). The base units are measured from that font as the original
// system measured its own: x = (width of "A".."Z" "a".."z" / 26 + 1) / 2, y = the cell height.
//
// GUI thread only: the font is opened once, on first use, and kept.
#pragma once

#include "platform/font_face.h"
#include "platform/font_spec.h"
#include "platform/raster_bitmap.h"

#include <cstdint>

struct DialogBaseUnits
{
    int32_t x = 0;
    int32_t y = 0;
};

// The request that stands for "MS Sans Serif" 8 point.
FontSpec DialogFontSpec();
// The dialog font, opened once; null when no font can be opened.
const FontFace* DialogFont();
// The base units of a font, measured as described above.
DialogBaseUnits MeasureDialogBaseUnits(const FontFace& font);
// The dialog font's base units; the measured values of DejaVu Sans (7 x 13) when it cannot be
// opened, so that layouts never collapse.
DialogBaseUnits DialogFontBaseUnits();

// a x b / c rounded half away from zero, in 64 bits and held to 32; 0 for c = 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
// A template rectangle in dialog units to pixels: left and right by x / 4, top and bottom by
// y / 8, each corner converted on its own.
RasterRect ConvertDialogToPixels(const RasterRect& dialogUnits, const DialogBaseUnits& base);
RasterRect ConvertDialogToPixels(const RasterRect& dialogUnits);
