#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// One reference ellipsoid: its semi-major axis a (metres) and first eccentricity squared e².
struct Ellipsoid {
    std::int32_t id;
    std::string_view name;
    double equatorialRadius;
    double eccentricitySquared;
};

// Indexed 0 to 23; a row's index is its id except for the placeholder row 0.
inline constexpr std::int32_t airyEllipsoid = 1;
inline constexpr std::int32_t wgs84Ellipsoid = 23;

extern const std::array<Ellipsoid, 24> ellipsoidTable;
