#include "controls/spin_drawing.h"

#include "controls/control_painter.h"
#include "controls/global_overrides_for_controls.h"

namespace {

// Rows of 5, 3 and 1 pixels from `first` towards `tip`.
void DrawArrowPixels(ControlPainter& painter, int32_t cx, int32_t y, int32_t towardsTip, RgbColour colour)
{
    for (int32_t row = 0; row < 3; ++row) {
        const int32_t half = 2 - row;
        painter.Line(cx - half, y + row * towardsTip, cx + half + 1, y + row * towardsTip, colour);
    }
}

void DrawEdge(ControlPainter& painter, const RasterRect& rect, bool sunken)
{
    const RgbColour light = ControlColour(kRoleHighlight);
    const RgbColour dark = ControlColour(kRoleShadow);
    painter.Edge(rect, sunken ? dark : light, sunken ? light : dark);
}

// The up arrow of a half (its 5-pixel row at y + 1) or the down arrow (its 5-pixel row at y - 1).
void DrawHalfArrow(ControlPainter& painter, const RasterRect& half, bool up, RgbColour colour)
{
    const int32_t cx = half.left + (half.right - half.left - 1) / 2;
    const int32_t cy = half.top + (half.bottom - half.top) / 2;
    if (up)
        DrawArrowPixels(painter, cx, cy + 1, -1, colour);
    else
        DrawArrowPixels(painter, cx, cy - 1, 1, colour);
}

void DrawDragArrow(ControlPainter& painter, int32_t cx, int32_t cy, RgbColour colour)
{
    const RasterPoint outline[] = {{cx, cy - 5},     {cx + 3, cy - 2}, {cx, cy - 2},     {cx, cy + 2},
                                   {cx + 3, cy + 2}, {cx, cy + 5},     {cx - 3, cy + 2}, {cx, cy + 2},
                                   {cx, cy - 2},     {cx - 3, cy - 2}, {cx, cy - 5},     {cx, cy + 5}};
    painter.Polyline(outline, static_cast<int32_t>(std::size(outline)), colour);
    painter.Line(cx - 1, cy - 3, cx + 2, cy - 3, colour);
    painter.Line(cx - 1, cy + 3, cx + 2, cy + 3, colour);
}

void DrawArrowHeads(ControlPainter& painter, int32_t cx, int32_t cy, RgbColour colour)
{
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t reach = 6 - i; // from the tip inwards: 1, 3, 5 pixels
        painter.Line(cx - i, cy - reach, cx + i + 1, cy - reach, colour);
        painter.Line(cx - i, cy + reach, cx + i + 1, cy + reach, colour);
        painter.Line(cx - reach, cy - i, cx - reach, cy + i + 1, colour);
        painter.Line(cx + reach, cy - i, cx + reach, cy + i + 1, colour);
    }
}

} // namespace

void DrawSpin(ControlPainter& painter, const RasterRect& rect, bool upperPressed, bool lowerPressed,
              bool disabled)
{
    painter.FillRect(rect, ControlColour(kRoleButtonFace));
    const int32_t height = rect.bottom - rect.top;
    const RasterRect upper{rect.left, rect.top, rect.right, rect.top + height / 2 - 1};
    const RasterRect lower{rect.left, rect.top + height / 2 + 1, rect.right, rect.bottom};
    if (disabled) {
        for (const RasterRect& half : {upper, lower}) {
            DrawEdge(painter, half, false);
            const bool up = half.top == upper.top;
            DrawHalfArrow(painter, {half.left + 1, half.top + 1, half.right + 1, half.bottom + 1}, up,
                          ControlColour(kRoleHighlight));
            DrawHalfArrow(painter, half, up, ControlColour(kRoleShadow));
        }
        return;
    }
    if (upperPressed && lowerPressed) {
        DrawEdge(painter, rect, true);
        DrawDragArrow(painter, rect.left + (rect.right - rect.left - 1) / 2, rect.top + height / 2,
                      ControlColour(kRoleButtonText));
        return;
    }
    DrawEdge(painter, upper, upperPressed);
    DrawHalfArrow(painter, upper, true, ControlColour(kRoleButtonText));
    DrawEdge(painter, lower, lowerPressed);
    DrawHalfArrow(painter, lower, false, ControlColour(kRoleButtonText));
}

void DrawSpinXY(ControlPainter& painter, const RasterRect& rect, int32_t mode, bool dragging, bool disabled)
{
    DrawEdge(painter, rect, dragging);
    painter.FillRect({rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
                     ControlColour(kRoleButtonFace));
    const int32_t cx = rect.left + (rect.right - rect.left) / 2;
    const int32_t cy = rect.top + (rect.bottom - rect.top) / 2;
    const RgbColour ink = ControlColour(disabled ? kRoleShadow : kRoleButtonText);
    if (disabled)
        DrawArrowHeads(painter, cx + 1, cy + 1, ink);
    DrawArrowHeads(painter, cx, cy, ink);
    if (mode == 0) {
        painter.Line(cx - 3, cy, cx + 4, cy, ink);
        painter.Line(cx, cy - 3, cx, cy + 4, ink);
    } else {
        painter.FillRect({cx - 1, cy - 1, cx + 2, cy + 2}, ink);
    }
}
