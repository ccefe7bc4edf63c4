#include "controls/wx/wx_system_colours.h"

#include <wx/settings.h>

namespace {

wxSystemColour WxIndexOf(SystemColour which)
{
    switch (which) {
    case SystemColour::kButtonText:
        return wxSYS_COLOUR_BTNTEXT;
    case SystemColour::kButtonFace:
        return wxSYS_COLOUR_BTNFACE;
    case SystemColour::kButtonHighlight:
        return wxSYS_COLOUR_BTNHIGHLIGHT;
    case SystemColour::kButtonShadow:
        return wxSYS_COLOUR_BTNSHADOW;
    case SystemColour::k3dLight:
        return wxSYS_COLOUR_3DLIGHT;
    case SystemColour::k3dDarkShadow:
        return wxSYS_COLOUR_3DDKSHADOW;
    case SystemColour::kWindowText:
        return wxSYS_COLOUR_WINDOWTEXT;
    default:
        return wxSYS_COLOUR_WINDOW;
    }
}

} // namespace

RgbColour WxSystemColours::Get(SystemColour which) const
{
    const wxColour colour = wxSystemSettings::GetColour(WxIndexOf(which));
    return MakeRgb(colour.Red(), colour.Green(), colour.Blue());
}
