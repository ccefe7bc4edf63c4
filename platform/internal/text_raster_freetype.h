// The FreeType backend's own door, for the backend and its tests: opening a font file that is
// already chosen, past the font configuration.
#pragma once

#include "platform/font_face.h"
#include "platform/internal/font_match.h"

#include <memory>
#include <string>

// Face match.index of match.file at spec's size, named match.family; null when FreeType refuses
// the file or the size, and then error says which file and FreeType's reason (else it is empty).
std::unique_ptr<FontFace> OpenFreeTypeFont(const FontMatch& match, const FontSpec& spec, std::string& error);
