// How noise bytes become fog density: a 256-entry map that mixes in clouds (a steep curve above
// a threshold), scales, and flattens the structure towards uniform fog.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class LBeamvistaPars;

using FogDensityMap = std::array<uint8_t, 256>;

FogDensityMap MakeFogDensityMap(const LBeamvistaPars& pars);
// count noise bytes through the map.
std::vector<uint8_t> FogTexels(const FogDensityMap& map, const uint8_t* noise, int64_t count);
