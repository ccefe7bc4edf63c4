#include "preview/frame_sequence.h"

void LFrameSequence::Clear()
{
    items_.clear();
    cursor_ = 0;
    deadlineCs_ = 0;
}

void LFrameSequence::Step(int32_t items)
{
    const int32_t count = Count();
    if (count == 0)
        return;
    // Stepping one item at a time around a loop ends where the remainder says.
    const int32_t moved = (cursor_ + items % count) % count;
    cursor_ = moved < 0 ? moved + count : moved;
}
