// LDialogManagerListener: what a panel stack reports to the one who shows it (the preview): a
// control gained or lost the focus, the stack was opened or closed.
#pragma once

#include <cstdint>

class LDialogManager;

class LDialogManagerListener
{
  public:
    virtual ~LDialogManagerListener() = default;
    virtual void OnControlFocus(int32_t code) = 0;
    virtual void OnControlKillFocus(int32_t code) = 0;
    virtual void OnOpened(LDialogManager* stack) = 0;
    virtual void OnClosed(LDialogManager* stack) = 0;
};
