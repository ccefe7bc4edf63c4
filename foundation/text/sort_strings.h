#pragma once
// SortStrings: the quicksort of string lists (file lists pass the natural order). Not stable;
// swaps move block references, never texts.

#include "foundation/strings/xa_string.h"

#include <cstdint>

// True when text a sorts strictly before text b.
using SortPredicate = bool (*)(const char* a, const char* b);

// Sorts data[first..last] (last inclusive) in place; `scratch` carries the element being swapped.
// Nothing happens when first >= last.
void SortStrings(XAString* data, XAString& scratch, int32_t first, int32_t last, SortPredicate less);
