// The control windows made as wx windows. A window without a parent (a dialog) is transient for
// the application's top window.
#pragma once

#include "controls/control_window_factory.h"

class WxControlWindowFactory : public ControlWindowFactory
{
  public:
    ControlWindow* Create(ControlWindow* parent, const ControlWindowSpec& spec,
                          ControlWindowSink* sink) override;
};
