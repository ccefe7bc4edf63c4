// LBeamvistaParamMainDialog: the "Main" panel (template 2196): line width, graphics, fog with the
// scanner position, beam detection and the beam table.
#pragma once

#include "preview/l_beamvista_param_panel.h"

class LBeamvistaParamMainDialog : public LBeamvistaParamPanel
{
  public:
    LBeamvistaParamMainDialog();
};
