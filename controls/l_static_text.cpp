#include "controls/l_static_text.h"

#include "foundation/strings/char_tables.h"
#include "platform/dialog_units.h"
#include "platform/text_raster.h"

#include <algorithm>

bool LStaticText::Create(const std::string& text, const RasterRect& rect, ControlWindow* parent)
{
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kLabel;
    spec.rect = rect;
    spec.text = text;
    if (const FontFace* font = DialogFont()) {
        const XWString text16 = Str8To16(text.c_str(), u'?');
        spec.rect.right = std::max(spec.rect.right, spec.rect.left + MeasureText(*font, text16.View()).width);
    }
    return CreateWindow(parent, spec);
}
