// Finding the font file for a request: the system's font configuration is asked for the face by
// name, weight and slant.
#pragma once

#include "platform/font_spec.h"

#include <cstdint>
#include <optional>
#include <string>

struct FontMatch
{
    std::string file;  // path of the font file
    int32_t index = 0; // face within the file
    // The actual face name: the font's family name that equals the asked one ignoring ASCII
    // case, as the font spells it; else the font's first family name.
    std::string family;
    bool exact = false; // one of the font's family names equals the asked name, ignoring ASCII case
};

// The best installed font for that family, weight and slant; the configuration substitutes a
// similar face when the family is missing (then `exact` is false). Nothing when no font is found.
std::optional<FontMatch> MatchFontFamily(const std::string& family, int32_t weight, bool italic);

// The font a request gets: the asked face when installed; otherwise (and for an empty name) the
// default face; when that is missing too, whatever the configuration offers for the request.
std::optional<FontMatch> MatchFontSpec(const FontSpec& spec);
