#include "controls/pointer_warp.h"

#include "controls/control_environment.h"

bool PointerInClient(const ControlWindow& window, RasterPoint& position)
{
    RasterPoint screen;
    if (!CurrentControlEnvironment().GetCursorPos(screen))
        return false;
    const RasterPoint origin = window.ClientToScreen(0, 0);
    position = {screen.x - origin.x, screen.y - origin.y};
    return true;
}

void WarpPointerTo(const ControlWindow& window, const RasterPoint& clientPoint)
{
    CurrentControlEnvironment().SetCursorPos(window.ClientToScreen(clientPoint.x, clientPoint.y));
}
