#pragma once

// Angle constants of the map references. PI is the nine-digit value 3.14159265, not the full
// π: every latitude, longitude and UTM figure the viewer shows rests on it, and other tools
// that read the directory must arrive at the same texts.
inline constexpr double PI = 3.14159265;
inline constexpr double deg2rad = PI / 180;
inline constexpr double rad2deg = 180 / PI;
