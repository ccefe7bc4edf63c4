// The resources only the control library carries: its menu (144, one popup with About), its
// type and page names (strings 1 and 2) and its version record.
#pragma once

#include "platform/resources.h"

#include <cstdint>

const ResourceTables& ControlModuleResourceTables();

// The library's version record: its file version as one 64-bit value, the most significant
// 32-bit half first.
uint64_t ControlModuleFileVersion();
