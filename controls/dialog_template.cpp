#include "controls/dialog_template.h"

#include "controls/l_static_text.h"
#include "platform/dialog_units.h"
#include "platform/resources.h"

const DialogTemplate* FindDialogTemplate(int32_t id)
{
    return FindDialogResource(id);
}

const DialogItem* FindDialogItem(const DialogTemplate& dialog, int32_t id)
{
    for (const DialogItem& item : dialog.items)
        if (item.id == id && id != kNoItemId)
            return &item;
    return nullptr;
}

RasterRect DialogUnitsToPixels(const DialogUnits& units)
{
    return ConvertDialogToPixels({units.x, units.y, units.x + units.width, units.y + units.height});
}

ControlWindowSpec DialogItemWindowSpec(const DialogItem& item)
{
    ControlWindowSpec spec;
    spec.rect = DialogUnitsToPixels(item.place);
    spec.text = item.text;
    switch (item.kind) {
    case DialogItemKind::kLabel:
        spec.kind = ControlWindowKind::kLabel;
        spec.rect = LabelRect(item.text, spec.rect);
        break;
    case DialogItemKind::kCheckbox:
    case DialogItemKind::kPushButton:
        spec.kind = ControlWindowKind::kOwnerDrawn;
        spec.tabStop = true;
        break;
    case DialogItemKind::kSpin:
    case DialogItemKind::kSpinXY:
        // Spins are worked with the mouse; Tab passes them by.
        spec.kind = ControlWindowKind::kOwnerDrawn;
        break;
    case DialogItemKind::kEdit:
        spec.kind = ControlWindowKind::kEdit;
        spec.tabStop = true;
        spec.readOnly = item.readOnly;
        break;
    case DialogItemKind::kSeparator:
        spec.kind = ControlWindowKind::kSeparator;
        break;
    }
    return spec;
}
