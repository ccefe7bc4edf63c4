// Packed DIBs, the clipboard's picture format: a BMP file without its 14-byte file header. A
// packed DIB is held as the bytes of an XAString.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LArchiveBase;

// Writes a packed DIB of `length` bytes (40-byte info header, palette or bit masks, bits) as a
// BMP file image. False, with the archive's status set, when the header is not a 40-byte info
// header or the block is shorter than the header says.
bool SaveDIB(LArchiveBase& archive, const uint8_t* dib, int32_t length);
bool SaveDIBHandle(LArchiveBase& archive, const XAString& dib);
// Everything of a BMP file image after its file header; empty on failure.
XAString ReadBmpAsDIB(LArchiveBase& archive);
// The picture of a packed DIB, read as a BMP file.
CError HImageFromDIB(HImageRef& target, const XAString& dib, const char* name, bool trueColour, bool alpha);
