#include "controls/control_painter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::u16string_view kEllipsis = u"...";

RasterRect Intersect(const RasterRect& a, const RasterRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RasterRect& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

} // namespace

ControlPainter::ControlPainter(RasterBitmap& bitmap, const FontFace* font) : bitmap_(bitmap), font_(font)
{
}

RasterRect ControlPainter::Bounds() const
{
    return {0, 0, bitmap_.Width(), bitmap_.Height()};
}

void ControlPainter::FillRect(const RasterRect& rect, RgbColour colour)
{
    bitmap_.FillRect(rect, colour);
}

void ControlPainter::SetPixel(int32_t x, int32_t y, RgbColour colour)
{
    bitmap_.FillRect({x, y, x + 1, y + 1}, colour);
}

void ControlPainter::Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, RgbColour colour)
{
    const int32_t dx = std::abs(x1 - x0);
    const int32_t dy = -std::abs(y1 - y0);
    const int32_t stepX = x0 < x1 ? 1 : -1;
    const int32_t stepY = y0 < y1 ? 1 : -1;
    int32_t error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        SetPixel(x0, y0, colour);
        const int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void ControlPainter::Polyline(const RasterPoint* points, int32_t count, RgbColour colour)
{
    for (int32_t i = 1; i < count; ++i)
        Line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
}

void ControlPainter::FrameRect(const RasterRect& rect, RgbColour colour)
{
    Edge(rect, colour, colour);
}

void ControlPainter::Edge(const RasterRect& rect, RgbColour topLeft, RgbColour bottomRight)
{
    if (IsEmpty(rect))
        return;
    FillRect({rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
    FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

void ControlPainter::HalftoneFill(const RasterRect& rect, RgbColour foreground, RgbColour background)
{
    const RasterRect clipped = Intersect(rect, Bounds());
    for (int32_t y = clipped.top; y < clipped.bottom; ++y)
        for (int32_t x = clipped.left; x < clipped.right; ++x)
            SetPixel(x, y, (x + y) % 2 == 0 ? foreground : background);
}

void ControlPainter::FocusRect(const RasterRect& rect, RgbColour colour)
{
    if (IsEmpty(rect))
        return;
    // A dot on every other pixel of a walk round the outline, as a dotted pen draws it.
    std::vector<RasterPoint> walk;
    for (int32_t x = rect.left; x < rect.right; ++x)
        walk.push_back({x, rect.top});
    for (int32_t y = rect.top + 1; y < rect.bottom; ++y)
        walk.push_back({rect.right - 1, y});
    if (rect.bottom - rect.top > 1)
        for (int32_t x = rect.right - 2; x >= rect.left; --x)
            walk.push_back({x, rect.bottom - 1});
    if (rect.right - rect.left > 1)
        for (int32_t y = rect.bottom - 2; y > rect.top; --y)
            walk.push_back({rect.left, y});
    for (size_t i = 0; i < walk.size(); i += 2)
        SetPixel(walk[i].x, walk[i].y, colour);
}

TextExtent ControlPainter::MeasureText(std::u16string_view text) const
{
    return font_ ? ::MeasureText(*font_, text) : TextExtent();
}

void ControlPainter::Text(int32_t x, int32_t y, std::u16string_view text, RgbColour colour)
{
    if (font_)
        DrawText(bitmap_, *font_, x, y, text, colour);
}

void ControlPainter::TextEndEllipsis(const RasterRect& rect, std::u16string_view text, RgbColour colour)
{
    if (!font_ || IsEmpty(rect))
        return;
    std::u16string shown(text);
    const int32_t available = rect.right - rect.left;
    if (MeasureText(shown).width > available) {
        const int32_t ellipsisWidth = MeasureText(kEllipsis).width;
        while (!shown.empty() && MeasureText(shown).width + ellipsisWidth > available)
            shown.pop_back();
        shown += kEllipsis;
    }
    const TextExtent extent = MeasureText(shown);
    const int32_t y = rect.top + (rect.bottom - rect.top - extent.height) / 2;
    // Drawn into a scratch bitmap of the rectangle's size, so nothing spills outside it.
    std::unique_ptr<RasterBitmap> scratch = RasterBitmap::Create(available, rect.bottom - rect.top);
    if (!scratch)
        return;
    const RasterRect clipped = Intersect(rect, Bounds());
    for (int32_t row = clipped.top; row < clipped.bottom; ++row)
        std::copy_n(bitmap_.PixelAt(clipped.left, row),
                    (clipped.right - clipped.left) * RasterBitmap::kBytesPerPixel,
                    scratch->PixelAt(clipped.left - rect.left, row - rect.top));
    DrawText(*scratch, *font_, 0, y - rect.top, shown, colour);
    for (int32_t row = clipped.top; row < clipped.bottom; ++row)
        std::copy_n(scratch->PixelAt(clipped.left - rect.left, row - rect.top),
                    (clipped.right - clipped.left) * RasterBitmap::kBytesPerPixel,
                    bitmap_.PixelAt(clipped.left, row));
}

PrefixText ParsePrefixText(std::u16string_view marked)
{
    PrefixText result;
    for (size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == u'&' && i + 1 < marked.size()) {
            ++i;
            if (marked[i] != u'&' && result.underlined < 0)
                result.underlined = static_cast<int32_t>(result.text.size());
        }
        result.text += marked[i];
    }
    return result;
}

namespace {

void DrawPrefixTextOnce(ControlPainter& painter, int32_t x, int32_t y, const PrefixText& text,
                        RgbColour colour)
{
    painter.Text(x, y, text.text, colour);
    if (text.underlined < 0)
        return;
    const std::u16string_view all(text.text);
    const int32_t start = x + painter.MeasureText(all.substr(0, text.underlined)).width;
    const int32_t width = painter.MeasureText(all.substr(text.underlined, 1)).width;
    const int32_t underline = y + painter.MeasureText(all).height - 2;
    painter.Line(start, underline, start + width, underline, colour);
}

} // namespace

void DrawPrefixText(ControlPainter& painter, int32_t x, int32_t y, const PrefixText& text, RgbColour colour)
{
    DrawPrefixTextOnce(painter, x, y, text, colour);
}
