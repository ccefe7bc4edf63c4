#include "controls/wx/wx_controls.h"

#include "controls/wx/wx_control_window_factory.h"
#include "controls/wx/wx_modeless_box.h"
#include "controls/wx/wx_system_colours.h"

void InstallWxControls()
{
    static WxControlWindowFactory factory;
    static WxSystemColours colours;
    static WxModelessBoxService boxes;
    SetControlWindowFactory(&factory);
    SetModelessBoxService(&boxes);
    SetSystemColours(&colours);
}
