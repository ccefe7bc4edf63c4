// The about box's texts: its caption and version line, and the acknowledgements of the
// libraries the program is built on, lines ending in carriage return and line feed.
#pragma once

#include <cstdint>

inline constexpr const char* kAboutCaption = "About Zyl Player";
inline constexpr const char* kAboutVersion = "Zyl Player Version 2004/06/09";
inline constexpr const char* kAboutMakerLine1 = "Velquon";
inline constexpr const char* kAboutMakerLine2 = "Laser show software";
// The about box's pictures: the program's logo and the maker's.
inline constexpr int32_t kAboutLogoId = 2274;
inline constexpr int32_t kAboutMakerId = 2275;

// Three sections: the JPEG library, libpng and zlib, then the licence of libogg and libvorbis
// as they are distributed.
const char* AboutAcknowledgementText();
