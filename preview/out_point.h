#pragma once
// Output points made by the preview itself (test patterns), as the frame renderer would give
// them: plane coordinates -1..1 become 16-bit values.

#include <cstdint>

#include "show/frame_records.h"

LFrameOutPoint MakeOutPoint(float x, float y, uint8_t r, uint8_t g, uint8_t b, float shutterRamp,
                            float beamRamp);
