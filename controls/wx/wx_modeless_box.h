// The modeless message box as a wx dialog, and the pump that keeps the application's windows
// alive while a caller computes on the GUI thread.
#pragma once

#include "controls/modeless_box_window.h"

class WxModelessBoxService final : public ModelessBoxService
{
  public:
    ModelessBoxWindow* Create(const ModelessBoxSpec& spec, ModelessBoxSink& sink) override;
    bool PumpMessages(bool allWindows) override;
};
