// The tool tips of a dialog's toolbar: the string resources of the tools' command ids.
#pragma once

#include <cstdint>
#include <string>

// A tool tip's text: the string of the tool's id, cut to 79 characters (the tip's field holds 80
// with its terminator). False for id 0 and for a missing string.
bool ToolTipText(int32_t id, std::string& text);
