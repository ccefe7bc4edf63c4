#include "controls/wx/wx_controls.h"

#include "controls/wx/wx_control_window_factory.h"
#include "controls/wx/wx_system_colours.h"

void InstallWxControls()
{
    static WxControlWindowFactory factory;
    static WxSystemColours colours;
    SetControlWindowFactory(&factory);
    SetSystemColours(&colours);
}
