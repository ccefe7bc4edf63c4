#pragma once
// The entry list of the preview parameter dialog: pages and groups with one row for each of the
// 72 "o_" parameters, then the closing entry. The extended parameters have no rows.

#include "foundation/strings/h_array.h"
#include "params/value_handler_dialog_entry.h"

// Replaces the list's content with the 82 entries; true when the list is not empty.
bool BuildBeamvistaParamEntries(HArray<ValueHandlerDialogEntry>& list);
