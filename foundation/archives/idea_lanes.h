#pragma once
// IDEA over many independent blocks at once: the blocks' words side by side in 16-bit vector
// lanes (8 blocks with SSE2, 16 with AVX2), chosen at run time by what the processor offers. The
// one-block code (IdeaCipherBlock) serves the blocks left over and processors without the
// vector units, and is the oracle the vector paths are tested against.

#include "foundation/archives/idea_cipher.h"

#include <cstddef>
#include <cstdint>

enum class IdeaLanes : int32_t {
    kScalar, // one block at a time
    kSse2,   // 8 blocks at a time
    kAvx2,   // 16 blocks at a time
};

// n blocks, each on its own (no chaining), with the schedule of either direction. in and out
// may be the same.
void IdeaCipherBlocks(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out);

// Whether this processor runs the path.
bool IdeaLanesAvailable(IdeaLanes lanes);
// The path IdeaCipherBlocks takes: the widest available unless a test chose another.
IdeaLanes CurrentIdeaLanes();
// Chooses the path (it must be available); returns the previous one. For tests and fuzz
// targets that compare the paths.
IdeaLanes SetIdeaLanes(IdeaLanes lanes);
