// LBeamvistaParamOpenGlDialog: the "OpenGl Setup" panel (template 2193): the OpenGL switches and
// the buttons that load, store and reset their defaults. A button only changes its one-shot
// parameter; the preview carries out the action when the change is done.
#pragma once

#include "preview/l_beamvista_param_panel.h"

class LBeamvistaParamOpenGlDialog : public LBeamvistaParamPanel
{
  public:
    LBeamvistaParamOpenGlDialog();
};
