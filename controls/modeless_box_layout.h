// The modeless message box's templates and the rules that pick and fit one: which of the four
// templates the labels ask for, which button Escape and the close box press, and how the box
// grows around a text larger than its text item.
#pragma once

#include "platform/dialog_units.h"
#include "platform/raster_bitmap.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int32_t kModelessBoxButtons = 3;

// Rectangles of a template in dialog units; the dialog's from (0, 0).
struct ModelessBoxTemplate
{
    int32_t id;
    RasterRect dialog;
    RasterRect text;
    RasterRect icon;
    int32_t buttonCount;
    std::array<RasterRect, kModelessBoxButtons> buttons;
};

// The same in client pixels.
struct ModelessBoxLayout
{
    RasterRect dialog;
    RasterRect text;
    RasterRect icon;
    int32_t buttonCount = 0;
    std::array<RasterRect, kModelessBoxButtons> buttons{};
};

using ModelessBoxLabels = std::array<std::string, kModelessBoxButtons>;

// False for a gap: label 3 without label 2, or label 2 without label 1.
bool ModelessBoxLabelsValid(const ModelessBoxLabels& labels);
// The first label that reads "Cancel" or "Abort" (case and "&" ignored), else 0 for a lone "OK",
// else -1.
int32_t ModelessBoxCancelIndex(const ModelessBoxLabels& labels);
// 2146 with three labels, 2138 with two, 2142 with one, 2200 with none.
const ModelessBoxTemplate& ModelessBoxTemplateFor(const ModelessBoxLabels& labels);
// The template in pixels, grown around a text of the given size: wider moves the buttons right
// by half the growth, taller moves them down by all of it, shorter centres the text item on it.
ModelessBoxLayout FitModelessBox(const ModelessBoxTemplate& box, int32_t textWidth, int32_t textHeight,
                                 const DialogBaseUnits& base);
// The text as the box's font measures it: its widest line and its lines' height.
void MeasureModelessBoxText(const std::string& text, int32_t& width, int32_t& height);
