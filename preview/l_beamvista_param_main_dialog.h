// LBeamvistaParamMainDialog: the "Main" panel (template 2196): line width, graphics, fog with the
// scanner position, beam detection and the beam table.
#pragma once

#include "preview/l_beamvista_param_panel.h"

class LBeamvistaParamMainDialog : public LBeamvistaParamPanel
{
  public:
    // "Line Width:"'s field, the template's first tab stop.
    static constexpr int32_t kLineWidthFieldId = 2234;

    LBeamvistaParamMainDialog();
};
