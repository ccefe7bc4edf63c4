// The dialog templates of the toolkit, in dialog units: the panel stack's window, the empty panel
// for panels built in code, and the frame of a dialog built from parameter entries.
#pragma once

#include "controls/control_window_factory.h"
#include "platform/raster_bitmap.h"

#include <cstdint>

inline constexpr int32_t kTemplatePanelStack = 2006;
inline constexpr int32_t kTemplateEmptyPanel = 2134;
inline constexpr int32_t kTemplateFrameDialog = 2149;
// The frame dialog's separator line, 199 x 1 dialog units at its top left.
inline constexpr int32_t kFrameSeparatorId = 2152;
inline constexpr RasterRect kFrameSeparatorUnits{0, 0, 199, 1};

struct DialogTemplate
{
    int32_t id = 0;
    ControlWindowKind kind = ControlWindowKind::kPanel;
    int32_t widthUnits = 0;
    int32_t heightUnits = 0;
    const char* title = "";
};

// The template of that id; null for an unknown id.
const DialogTemplate* FindDialogTemplate(int32_t id);
