#include "controls/dialog_templates.h"

namespace {

constexpr DialogTemplate kTemplates[] = {
    {kTemplatePanelStack, ControlWindowKind::kPanelStack, 199, 290, ""},
    {kTemplateEmptyPanel, ControlWindowKind::kPanel, 186, 95, ""},
    {kTemplateFrameDialog, ControlWindowKind::kDialog, 200, 279, "Frame Dialog"},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int32_t id)
{
    for (const DialogTemplate& entry : kTemplates)
        if (entry.id == id)
            return &entry;
    return nullptr;
}
