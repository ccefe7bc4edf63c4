#pragma once
// What a host may learn of the full-screen preview's focus: it gained it, and it lost it again
// (also when the window went while it had it). The argument is always 1.

#include <cstdint>

class LBeamvistaFocusListener
{
  public:
    virtual void OnPreviewFocusGained(int32_t reason) = 0;
    virtual void OnPreviewFocusLost(int32_t reason) = 0;

  protected:
    ~LBeamvistaFocusListener() = default;
};
