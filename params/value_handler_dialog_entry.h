#pragma once
// ValueHandlerDialogEntry: one entry of the list from which a value-handler dialog builds its
// panels: a caption that starts a panel, or a parameter row naming its registry key and the
// control it needs. A list ends with an entry of kind 0.

#include <cstdint>

#include "foundation/strings/xa_string.h"

enum ValueHandlerDialogEntryKind : int32_t {
    kEntryEnd = 0,
    kEntryPage = 1,   // a page caption
    kEntryGroup = 2,  // a group caption
    kEntrySwitch = 3, // check box
    kEntryInt = 4,    // label and spin box
    kEntryReal = 5,   // label and spin box
    kEntryText = 6,   // label and text field (a file name)
};

struct ValueHandlerDialogEntry
{
    ValueHandlerDialogEntry() = default;
    ValueHandlerDialogEntry(int32_t entryKind, const XAString& entryText) : kind(entryKind), text(entryText)
    {
    }

    int32_t kind = kEntryEnd;
    // The caption (kinds 1 and 2) or the parameter's key (kinds 3 to 6); empty for kind 0.
    XAString text;
};
