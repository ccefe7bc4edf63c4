// The string resources the toolkit reads: its own check string and the tool tips of a dialog's
// toolbar. The deliverable or a test installs the table; without one the toolkit's own strings
// answer.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int32_t kStringResourceCheck = 2132;
inline constexpr const char* kResourceCheckText = "This is a test string";

class ControlStringTable
{
  public:
    virtual ~ControlStringTable() = default;
    // False when the table has no string of that id.
    virtual bool Load(int32_t id, std::string& text) const = 0;
};

// The string of that id from the table in place.
bool LoadControlString(int32_t id, std::string& text);
// Puts `table` in place (null: the toolkit's own) and returns the one before.
const ControlStringTable* SetControlStringTable(const ControlStringTable* table);

// A tool tip's text: the string of the tool's id, cut to 79 characters (the tip's field holds 80
// with its terminator). False for id 0 and for a missing string.
bool ToolTipText(int32_t id, std::string& text);
