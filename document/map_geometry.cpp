#include "document/map_geometry.h"

#include <cstdint>

#include "document/map_options.h"
#include "records/tower_database.h"

namespace {

double viewRadius(const TowerDatabase& database)
{
    return database.radius == 0 ? 1.0 : static_cast<double>(database.radius);
}

// In (100 m)^2, from the integer differences; 1e20 for a tower without a position.
double squaredDistanceFrom(Position point, const Tower& tower)
{
    if (!tower.position.isSet()) return 1e20;
    const double dx = static_cast<double>(std::int64_t{point.x} - tower.position.x);
    const double dy = static_cast<double>(std::int64_t{point.y} - tower.position.y);
    return dx * dx + dy * dy;
}

}  // namespace

ViewPoint viewCoordinates(const TowerDatabase& database, Position position)
{
    if (!position.isSet()) return offMap;
    const Position c = database.centre;
    const double r = viewRadius(database);
    return {static_cast<double>((std::int64_t{position.x} - c.x) * 100) / r,
            static_cast<double>((std::int64_t{position.y} - c.y) * 100) / r};
}

ViewPoint viewCoordinates(const TowerDatabase& database, const Tower& tower)
{
    return viewCoordinates(database, tower.position);
}

Position groundPoint(const TowerDatabase& database, ViewPoint point)
{
    const Position c = database.centre;
    const double r = database.radius;
    // wholeMetres truncates toward zero and keeps the result inside 32 bits.
    return {wholeMetres(c.x + r * point.vx / 100), wholeMetres(c.y + r * point.vy / 100)};
}

const Tower* nearestVisibleTower(const TowerDatabase& database, ViewPoint point)
{
    if (database.towers().empty() || database.displayedCount() == 0) return nullptr;
    const Position ground = groundPoint(database, point);
    const Tower* best = nullptr;
    double bestDistance = 0;
    for (std::int32_t i = 0; i < database.displayedCount(); ++i) {
        const Tower* tower = database.displayedTower(i);
        if (tower == nullptr) continue;
        const double distance = squaredDistanceFrom(ground, *tower);
        if (best == nullptr || distance < bestDistance) {
            best = tower;
            bestDistance = distance;
        }
    }
    return best;
}
