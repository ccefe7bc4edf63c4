// LBeamvistaModalGuard: marks the preview busy with a dialog or another modal step for the scope's
// life. While any guard is held the full-screen cursor stays visible.
#pragma once

#include <cstdint>

class LBeamvista;

class LBeamvistaModalGuard
{
  public:
    explicit LBeamvistaModalGuard(LBeamvista& preview);
    ~LBeamvistaModalGuard();
    LBeamvistaModalGuard(const LBeamvistaModalGuard&) = delete;
    LBeamvistaModalGuard& operator=(const LBeamvistaModalGuard&) = delete;

    // Ends the busy mark early: the lowered count before it is kept from dropping below 0.
    int32_t Leave();

  private:
    LBeamvista* preview_;
};
