// Point in polygon by counting crossings of a ray running east from the point, in integer
// arithmetic so that every platform judges a point on the same side.
#include "tools/land_mask.h"

#include <cstdint>

namespace {

// True when the eastward ray from p crosses the edge a-b. The half-open test on y (one end
// inclusive, the other not) counts a ray through a vertex exactly once.
bool crosses(Position p, Position a, Position b)
{
    if ((a.y > p.y) == (b.y > p.y)) return false;
    // x of the edge at height p.y, compared without division: sign of the cross product,
    // flipped when the edge runs downwards.
    const std::int64_t lhs = std::int64_t{p.x - a.x} * (b.y - a.y);
    const std::int64_t rhs = std::int64_t{b.x - a.x} * (p.y - a.y);
    return (b.y > a.y) ? lhs < rhs : lhs > rhs;
}

// The polyline as a ring: its last point joins its first even when the file does not repeat it.
bool inside(const OutlinePolyline& ring, Position p)
{
    if (p.x < ring.minX || p.x > ring.maxX || p.y < ring.minY || p.y > ring.maxY) return false;
    bool odd = false;
    const auto& points = ring.points;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        if (crosses(p, points[j], points[i])) odd = !odd;
    }
    return odd;
}

} // namespace

LandMask::LandMask(const MapOutline& outline)
{
    if (outline.layers.size() <= coastlineLayer) return;
    for (const auto& polyline : outline.layers[coastlineLayer].polylines) {
        if (polyline.points.size() >= 3) shores_.push_back(&polyline);
    }
}

bool LandMask::isLand(Position position) const
{
    bool land = false;
    for (const auto& shore : shores_) {
        if (inside(*shore, position)) land = !land;
    }
    return land;
}
