#pragma once
// The frame handed to the preview from outside its show: a waiting one that the next paint takes
// over and the current one that it draws. The hand-over happens under GlobalMutex, since a frame
// may be handed over from another thread. The player never hands one over, so both stay empty;
// Close All still drops them, as it drops everything the preview was given to draw.

#include "conversion/lpic.h"

#include <optional>

class LPostedFrames
{
  public:
    // Both frames go and no new one is waiting.
    void DropAll();
    // The waiting frame goes, and the next hand-over replaces the current one by none.
    void Clear();
    // A frame waiting since the last hand-over (none after Clear) becomes the current one.
    void TakeOver();
    bool HasCurrent() const;

  private:
    std::optional<LPic> waiting_;
    std::optional<LPic> current_;
    bool newFrame_ = false;
};
