#pragma once
// One entry of the preview's show list: a show file on disk, or a show held in memory.

#include "foundation/strings/xa_string.h"

#include <cstdint>

struct LShowListEntry
{
    // The show's file path, or "<zyl>" for a show without a name.
    XAString path;
    // The whole show file in memory; empty for shows on disk.
    XAString data;
    // Valid bytes at the start of data; -1 for all of it (and for shows on disk).
    int32_t dataSize = -1;
};
