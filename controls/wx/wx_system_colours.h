// The desktop colours of the controls, as the toolkit's theme gives them.
#pragma once

#include "controls/system_colours.h"

class WxSystemColours : public SystemColourSource
{
  public:
    RgbColour Get(SystemColour which) const override;
};
