#pragma once
// The preview's frame sequence: point lists drawn one after another, looping, each held until its
// deadline; a right drag steps through it by hand. Opening paths and Close All empty it; nothing
// in the player adds to it.

#include "conversion/lpic.h"

#include <cstdint>
#include <vector>

class LFrameSequence
{
  public:
    bool IsEmpty() const { return items_.empty(); }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    void Append(const LPic& points) { items_.push_back(points); }
    // Empties the list; the cursor goes back to the first item and no deadline is pending.
    void Clear();
    // Moves the cursor forward (items > 0) or back, wrapping at both ends; an empty list has no
    // cursor to move.
    void Step(int32_t items);
    int32_t Cursor() const { return cursor_; }
    // The item at the cursor; the list must not be empty.
    const LPic& Current() const { return items_[static_cast<size_t>(cursor_)]; }
    // Centiseconds of the clock at which the next item is due; 0 when none is.
    int32_t DeadlineCs() const { return deadlineCs_; }
    void SetDeadlineCs(int32_t deadline) { deadlineCs_ = deadline; }

  private:
    std::vector<LPic> items_;
    int32_t cursor_ = 0;
    int32_t deadlineCs_ = 0;
};
