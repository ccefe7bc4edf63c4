// A top-level window that draws its own frame: the window system's move and size drags, started
// from a press on that frame, and the window manager's decorations switched on and off. GDK runs
// the drags itself where no window manager does.
//
// GUI thread only. The window must be realised (shown once); before that every call does nothing
// and answers false.
#pragma once

#include "platform/frame_hit.h"

#include <cstdint>

class wxTopLevelWindow;
class wxWindow;

// A press on the frame: the caption starts a move, an edge or corner a size drag; the client
// nothing (false). button: 1 left, 2 middle, 3 right; the pointer's screen position and the X time
// of the press.
bool BeginWindowFrameDrag(wxTopLevelWindow& window, FrameHit hit, int32_t button, int32_t screenX,
                          int32_t screenY, uint32_t time);
// Gives `window` the pointer shape of that part of the frame: the arrow over the client and the
// caption, a double arrow over an edge, the window system's corner shape over a corner.
void SetFrameHitCursor(wxWindow& window, FrameHit hit);
// Takes a shape set by SetShape off again: the window is its whole rectangle.
void ClearWindowShape(wxTopLevelWindow& window);
// The window manager's title bar and border, all or none.
void SetWindowDecorated(wxTopLevelWindow& window, bool decorated);
