// The resources of the preview's parameter dialog: its panels' templates, its two toolbars (2154
// with a preview: both resets, load and save; 2155 without: the reset alone) and the strings of
// their commands, which are also the tools' tips. The deliverable installs them at start.
#pragma once

#include "platform/resources.h"

#include <cstdint>

inline constexpr int32_t kToolbarWithPreview = 2154;
inline constexpr int32_t kToolbarWithoutPreview = 2155;

inline constexpr int32_t kCommandResetIgnoringShow = 42050;
inline constexpr int32_t kCommandResetAll = 42081;
inline constexpr int32_t kCommandLoadParameters = 42082;
inline constexpr int32_t kCommandSaveParameters = 42083;

const ResourceTables& ParameterDialogResourceTables();
