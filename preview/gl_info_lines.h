// The driver's extension names as lines of the info display: names separated by one blank, a new
// line ("\r") before a name that would make its line longer than the width.
#pragma once

#include "foundation/strings/xa_string.h"

#include <cstdint>

inline constexpr int32_t kGlInfoLineWidth = 80;

XAString PackExtensionLines(const char* extensions, int32_t width = kGlInfoLineWidth);
