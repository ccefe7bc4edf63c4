// The pointer during a warping drag: read from the display server in the window's client pixels
// (an event's position may predate the last warp), and put back onto a client point.
#pragma once

#include "controls/control_window.h"
#include "controls/raster_point.h"

// False when the position cannot be read.
bool PointerInClient(const ControlWindow& window, RasterPoint& position);
void WarpPointerTo(const ControlWindow& window, const RasterPoint& clientPoint);
