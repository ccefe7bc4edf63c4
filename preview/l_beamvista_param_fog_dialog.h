// LBeamvistaParamFogDialog: the "Fog" panel (template 2197): the three-dimensional fog.
#pragma once

#include "preview/l_beamvista_param_panel.h"

class LBeamvistaParamFogDialog : public LBeamvistaParamPanel
{
  public:
    LBeamvistaParamFogDialog();
};
