// LBeamvistaParamBgBitmapDialog: a "Background N" panel (template 2198) for one background
// picture slot: its switch, the button that chooses a picture, the picture's file name, and its
// intensity, size and position. The slot must be set before the window is made, since the
// controls are bound by the slot's name prefix "o_bg<n>_".
#pragma once

#include "preview/l_beamvista_param_panel.h"

#include <cstdint>

class LBeamvistaParamBgBitmapDialog : public LBeamvistaParamPanel
{
  public:
    explicit LBeamvistaParamBgBitmapDialog(int32_t slot = 0);

    void SetIndex(int32_t slot);
    int32_t Index() const { return slot_; }

  protected:
    XAString ParameterName(const char* name) const override;

  private:
    int32_t slot_ = 0;
    XAString prefix_;
};
