#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "records/position.h"

// True WGS-84 latitude and longitude, as phones, satnavs and map services read them, in degrees
// (north and east positive).
struct Wgs84 {
    double latitude = 0;
    double longitude = 0;
};

// Positions to WGS-84 through PROJ's best available transformation: from the national grid
// (EPSG:27700), or for a position in the Irish range from the Irish grid (EPSG:29903), to
// EPSG:4326. PROJ uses the OSTN15 grid for Great Britain when it is installed and the published
// Helmert transformation (about 2 m) otherwise; for Ireland its 1 m transformation. A position
// stands for the middle of its 100 m square. Set up once; not for use on two threads at once.
class Wgs84Converter {
public:
    // Throws std::runtime_error when PROJ cannot make the transformations.
    Wgs84Converter();
    ~Wgs84Converter();
    Wgs84Converter(const Wgs84Converter&) = delete;
    Wgs84Converter& operator=(const Wgs84Converter&) = delete;

    // None for no position, (0, 0), and for a place PROJ cannot transform.
    std::optional<Wgs84> operator()(Position position) const;
    // The same for many positions at once.
    std::vector<std::optional<Wgs84>> convert(std::span<const Position> positions) const;

private:
    struct Proj;
    std::unique_ptr<Proj> proj_;
};
