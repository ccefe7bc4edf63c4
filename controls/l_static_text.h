// LStaticText: a label, its text centred vertically; never narrower than its text.
#pragma once

#include "controls/l_window_object.h"

#include <string>

// The label's rectangle, widened to its text where the text is wider.
RasterRect LabelRect(const std::string& text, const RasterRect& rect);

class LStaticText : public LWindowObject
{
  public:
    bool Create(const std::string& text, const RasterRect& rect, ControlWindow* parent);
};
