#include "controls/wx/wx_controls.h"

#include "controls/wx/wx_control_environment.h"
#include "controls/wx/wx_control_window_factory.h"
#include "controls/wx/wx_system_colours.h"

void InstallWxControls()
{
    static WxControlWindowFactory factory;
    static WxControlEnvironment environment;
    static WxSystemColours colours;
    SetControlWindowFactory(&factory);
    SetControlEnvironment(&environment);
    SetSystemColours(&colours);
}
