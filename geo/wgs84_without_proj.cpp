// The Windows build carries no PROJ, so no converter can be made there: whatever asks for a true
// WGS-84 place (GPX and GeoJSON exports, OpenStreetMap links) gets this one message instead.
#include "geo/wgs84.h"

#include <stdexcept>

struct Wgs84Converter::Proj {};

Wgs84Converter::Wgs84Converter()
{
    throw std::runtime_error(
        "GPX and GeoJSON exports and OpenStreetMap links need PROJ, which this build of Belfrix "
        "does not include");
}

Wgs84Converter::~Wgs84Converter() = default;

std::optional<Wgs84> Wgs84Converter::operator()(Position) const { return std::nullopt; }

std::vector<std::optional<Wgs84>> Wgs84Converter::convert(std::span<const Position> positions) const
{
    return std::vector<std::optional<Wgs84>>(positions.size());
}
