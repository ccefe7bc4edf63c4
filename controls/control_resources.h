// The toolkit's own resources: the panel stack's window (2006), the empty panel for panels built
// in code (2134), the frame of a dialog built from parameter entries (2149) with its separator
// line (2152), the check string (2132) that such a dialog reads before it makes anything, and
// the grabbing hand shown while a panel is dragged (cursor 2194).
// A deliverable installs them with its own tables; tests install them for their scope.
#pragma once

#include "platform/resources.h"

#include <cstdint>

inline constexpr int32_t kTemplatePanelStack = 2006;
inline constexpr int32_t kTemplateEmptyPanel = 2134;
inline constexpr int32_t kTemplateFrameDialog = 2149;
inline constexpr int32_t kFrameSeparatorId = 2152;
inline constexpr int32_t kStringResourceCheck = 2132;
inline constexpr const char* kResourceCheckText = "This is a test string";
inline constexpr int32_t kCursorDragScroll = 2194;

const ResourceTables& ControlResourceTables();
