// The pointer's shape on an X display as its name ("left_ptr", "sb_h_double_arrow",
// "bottom_right_corner"), read through the XFixes extension: what the user sees wherever the
// pointer is, whichever program set it. Xlib's macros stay in the source file.
#pragma once

#include <string>

// The name of the shape shown now; empty when the display or the extension is missing or the
// shape has no name.
std::string PointerShapeName(const std::string& display);
