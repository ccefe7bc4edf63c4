#pragma once
// Writes a canvas as a PNG file (8 bits a channel, RGB or RGBA), for the tools that commit
// pictures: no time stamp or other chunk that would change between runs.

#include "foundation/errors/c_error.h"
#include "tools/skin_canvas.h"

CError WritePng(const SkinCanvas& canvas, bool alpha, const char* path);
