// The pictures of the two spin controls: the vertical spin with its two halves (or its drag
// look), and the two-axis drag button with its four arrow heads.
#pragma once

#include "platform/raster_bitmap.h"

#include <cstdint>

class ControlPainter;

// Upper and lower both pressed is the drag look.
void DrawSpin(ControlPainter& painter, const RasterRect& rect, bool upperPressed, bool lowerPressed,
              bool disabled);
// Mode 0 marks the middle with a cross (independent axes), mode 1 with a square (linked).
void DrawSpinXY(ControlPainter& painter, const RasterRect& rect, int32_t mode, bool dragging, bool disabled);
