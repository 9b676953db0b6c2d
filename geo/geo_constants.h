#pragma once

#include <cstdint>
#include <limits>

// Angle constants of the map references. PI is the nine-digit value 3.14159265, not the full
// π: every latitude, longitude and UTM figure the viewer shows rests on it, and other tools
// that read the directory must arrive at the same texts.
inline constexpr double PI = 3.14159265;
inline constexpr double deg2rad = PI / 180;
inline constexpr double rad2deg = 180 / PI;

// Real to integer, truncated toward zero as every conversion of the map references is. A value
// beyond the 32-bit range is held at its end and NaN gives 0, where a plain cast would be
// undefined; neither arises from a position that a grid reference can name.
inline std::int32_t truncateTowardZero(double value)
{
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
