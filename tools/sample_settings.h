#pragma once

#include <cstdint>

// What data/vesk.txt is made from: the same count and seed over data/map.dat give its bytes.
inline constexpr std::int32_t sampleTowerCount = 6000;
inline constexpr std::uint32_t sampleSeed = 1066;
