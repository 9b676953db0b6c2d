#pragma once

#include <cstdint>

// A place on the national grid of Great Britain: easting x and northing y, whole numbers in
// units of 100 m counted from the grid's false origin (the south-west corner of square SV).
// Irish grid places are shifted into the same plane. (0, 0) stands for "no position".
struct Position {
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool isSet() const { return x != 0 || y != 0; }
    friend bool operator==(const Position&, const Position&) = default;
};
