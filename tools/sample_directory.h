#pragma once

#include <cstdint>
#include <string>

#include "geo/map_outline.h"

// A synthetic directory source in vesk.txt form (header line, backslash-separated columns, LF
// line ends) of towerCount towers, drawn from seed. Towers are placed on the land that the
// outline's coastline layer encloses.
std::string generateDirectory(std::int32_t towerCount, std::uint32_t seed, const MapOutline& land);

// 32767 towers for the benchmarks, placed without a land test.
std::string generateStressDirectory();
