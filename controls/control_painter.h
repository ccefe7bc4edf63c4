// The drawing operations the owner-drawn controls use, over an off-screen bitmap that the
// window then shows. They follow the desktop's own rules where the pictures depend on them:
// a line leaves out its last pixel, a polyline leaves out only its final one, a rectangle's
// outline lies inside its right and bottom edges, and text is drawn transparently from the top
// left of its cell. The focus rectangle is painted as a dotted outline (every other pixel),
// never inverted, so that a repaint can simply leave it out.
#pragma once

#include "controls/raster_point.h"
#include "platform/font_face.h"
#include "platform/raster_bitmap.h"
#include "platform/text_raster.h"

#include <cstdint>
#include <string_view>

class ControlPainter
{
  public:
    // Text is drawn with `font`; without one it draws nothing and measures 0 x 0.
    ControlPainter(RasterBitmap& bitmap, const FontFace* font);

    RasterBitmap& Bitmap() { return bitmap_; }
    RasterRect Bounds() const;

    void FillRect(const RasterRect& rect, RgbColour colour);
    void SetPixel(int32_t x, int32_t y, RgbColour colour);
    // From (x0, y0) towards (x1, y1), without the end pixel.
    void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, RgbColour colour);
    // Joined lines through the points; only the last point is left out.
    void Polyline(const RasterPoint* points, int32_t count, RgbColour colour);
    // A one-pixel outline on the rectangle's inner edge.
    void FrameRect(const RasterRect& rect, RgbColour colour);
    // A one-pixel edge: top row and left column in one colour, bottom row and right column
    // (corners included) in the other.
    void Edge(const RasterRect& rect, RgbColour topLeft, RgbColour bottomRight);
    // Alternating pixels of two colours, as a halftone brush fills.
    void HalftoneFill(const RasterRect& rect, RgbColour foreground, RgbColour background);
    // A dotted outline in the colour.
    void FocusRect(const RasterRect& rect, RgbColour colour);

    TextExtent MeasureText(std::u16string_view text) const;
    void Text(int32_t x, int32_t y, std::u16string_view text, RgbColour colour);
    // One line, centred vertically in the rectangle, cut at the right with "..." when it does
    // not fit; nothing falls outside the rectangle.
    void TextEndEllipsis(const RasterRect& rect, std::u16string_view text, RgbColour colour);

  private:
    RasterBitmap& bitmap_;
    const FontFace* font_;
};

// Text with "&" marks: "&x" underlines x, "&&" is one "&". The visible text and the index of the
// underlined character (-1 for none).
struct PrefixText
{
    std::u16string text;
    int32_t underlined = -1;
};
PrefixText ParsePrefixText(std::u16string_view marked);
// Prefix text at (x, y) in one colour, its marked character underlined.
void DrawPrefixText(ControlPainter& painter, int32_t x, int32_t y, const PrefixText& text, RgbColour colour);
