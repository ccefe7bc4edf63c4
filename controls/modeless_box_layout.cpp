#include "controls/modeless_box_layout.h"

#include "foundation/strings/char_tables.h"
#include "platform/text_raster.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr RasterRect Rect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    return {x, y, x + w, y + h};
}

constexpr int32_t kButtonWidth = 50;
constexpr int32_t kButtonHeight = 14;

constexpr ModelessBoxTemplate kThreeButtons{2146, Rect(0, 0, 172, 58), Rect(39, 7, 126, 22), Rect(7, 7, 20, 20), 3,
                                            {Rect(7, 37, kButtonWidth, kButtonHeight),
                                             Rect(62, 37, kButtonWidth, kButtonHeight),
                                             Rect(115, 37, kButtonWidth, kButtonHeight)}};
constexpr ModelessBoxTemplate kTwoButtons{2138, Rect(0, 0, 119, 58), Rect(39, 7, 73, 22), Rect(7, 7, 20, 20), 2,
                                          {Rect(7, 37, kButtonWidth, kButtonHeight),
                                           Rect(62, 37, kButtonWidth, kButtonHeight), RasterRect{}}};
constexpr ModelessBoxTemplate kOneButton{2142, Rect(0, 0, 64, 58), Rect(39, 7, 18, 22), Rect(7, 7, 20, 20), 1,
                                         {Rect(7, 37, kButtonWidth, kButtonHeight), RasterRect{}, RasterRect{}}};
constexpr ModelessBoxTemplate kNoButton{2200, Rect(0, 0, 64, 36), Rect(39, 7, 18, 22), Rect(7, 7, 21, 20), 0, {}};

std::string Folded(const std::string& label)
{
    std::string folded;
    for (char c : label)
        if (c != '&')
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

RasterRect Moved(RasterRect r, int32_t dx, int32_t dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

} // namespace

bool ModelessBoxLabelsValid(const ModelessBoxLabels& labels)
{
    return !(!labels[2].empty() && labels[1].empty()) && !(!labels[1].empty() && labels[0].empty());
}

int32_t ModelessBoxCancelIndex(const ModelessBoxLabels& labels)
{
    for (int32_t i = 0; i < kModelessBoxButtons; ++i) {
        const std::string folded = Folded(labels[static_cast<size_t>(i)]);
        if (folded == "cancel" || folded == "abort")
            return i;
    }
    return Folded(labels[0]) == "ok" && labels[1].empty() && labels[2].empty() ? 0 : -1;
}

const ModelessBoxTemplate& ModelessBoxTemplateFor(const ModelessBoxLabels& labels)
{
    if (!labels[2].empty())
        return kThreeButtons;
    if (!labels[1].empty())
        return kTwoButtons;
    if (!labels[0].empty())
        return kOneButton;
    return kNoButton;
}

ModelessBoxLayout FitModelessBox(const ModelessBoxTemplate& box, int32_t textWidth, int32_t textHeight,
                                 const DialogBaseUnits& base)
{
    ModelessBoxLayout layout;
    layout.dialog = ConvertDialogToPixels(box.dialog, base);
    layout.text = ConvertDialogToPixels(box.text, base);
    layout.icon = ConvertDialogToPixels(box.icon, base);
    layout.buttonCount = box.buttonCount;
    for (int32_t i = 0; i < box.buttonCount; ++i)
        layout.buttons[static_cast<size_t>(i)] = ConvertDialogToPixels(box.buttons[static_cast<size_t>(i)], base);
    RasterRect& text = layout.text;
    int32_t dx = 0;
    int32_t dy = 0;
    if (textWidth > text.right - text.left) {
        dx = textWidth - (text.right - text.left);
        text.right += dx;
    }
    const int32_t itemHeight = text.bottom - text.top;
    if (textHeight > itemHeight) {
        dy = textHeight - itemHeight;
        text.bottom += dy;
    } else {
        text.top += (itemHeight - textHeight) / 2;
        text.bottom = text.top + textHeight;
    }
    for (int32_t i = 0; i < box.buttonCount; ++i)
        layout.buttons[static_cast<size_t>(i)] = Moved(layout.buttons[static_cast<size_t>(i)], dx / 2, dy);
    layout.dialog.right += dx;
    layout.dialog.bottom += dy;
    return layout;
}

void MeasureModelessBoxText(const std::string& text, int32_t& width, int32_t& height)
{
    width = 0;
    height = 0;
    const FontFace* font = DialogFont();
    if (font == nullptr)
        return;
    const int32_t lineHeight = font->Metrics().height;
    size_t start = 0;
    while (true) {
        // Lines break only at the text's own breaks: "\r\n", "\r" or "\n".
        size_t end = text.find_first_of("\r\n", start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const XWString wide = Str8To16(line.c_str(), u'?');
        width = std::max(width, MeasureText(*font, wide.View()).width);
        height += lineHeight;
        if (end == std::string::npos)
            break;
        if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}
