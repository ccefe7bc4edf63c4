#include "controls/l_static_text.h"

#include "foundation/strings/char_tables.h"
#include "platform/dialog_units.h"
#include "platform/text_raster.h"

#include <algorithm>

RasterRect LabelRect(const std::string& text, const RasterRect& rect)
{
    RasterRect widened = rect;
    if (const FontFace* font = DialogFont()) {
        const XWString text16 = Str8To16(text.c_str(), u'?');
        widened.right = std::max(widened.right, widened.left + MeasureText(*font, text16.View()).width);
    }
    return widened;
}

bool LStaticText::Create(const std::string& text, const RasterRect& rect, ControlWindow* parent)
{
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kLabel;
    spec.rect = LabelRect(text, rect);
    spec.text = text;
    return CreateWindow(parent, spec);
}
