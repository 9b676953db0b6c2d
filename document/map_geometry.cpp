#include "document/map_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "query/tower_database.h"

namespace {

// A radius of 0 metres is taken as 1, so that every place stays a finite point.
double viewRadius(const TowerDatabase& database)
{
    return database.radius == 0 ? 1.0 : static_cast<double>(database.radius);
}

constexpr double farthestPixel = 4'000'000;

std::int32_t pixel(double value)
{
    if (!(value > -farthestPixel)) return static_cast<std::int32_t>(-farthestPixel);
    if (value > farthestPixel) return static_cast<std::int32_t>(farthestPixel);
    return static_cast<std::int32_t>(value);  // truncates toward zero
}

// Which sides of the canvas a pixel lies beyond, one bit each. A line one pixel wide from a
// pixel beyond an edge can still touch the canvas's outermost pixels, hence the margin.
unsigned outsideEdges(CanvasPoint p)
{
    constexpr std::int32_t margin = 2;
    return (p.x < -margin ? 1u : 0u) | (p.x >= mapCanvasSize + margin ? 2u : 0u) |
           (p.y < -margin ? 4u : 0u) | (p.y >= mapCanvasSize + margin ? 8u : 0u);
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

bool onMap(ViewPoint point)
{
    return point.vx > -1 && point.vx < 1 && point.vy > -1 && point.vy < 1;
}

GroundPoint groundPoint(const TowerDatabase& database, ViewPoint point)
{
    const Position c = database.centre;
    const double r = viewRadius(database);
    return {c.x + r * point.vx / 100, c.y + r * point.vy / 100};
}

const Tower* nearestVisibleTower(const TowerDatabase& database, ViewPoint point)
{
    if (database.towers().empty() || database.displayedCount() == 0) return nullptr;
    const GroundPoint ground = groundPoint(database, point);
    const Tower* best = nullptr;
    double bestDistance = 0;
    for (std::int32_t i = 0; i < database.displayedCount(); ++i) {
        const Tower* tower = database.displayedTower(i);
        if (tower == nullptr) continue;
        const double distance = squaredDistance(ground.x, ground.y, *tower);
        if (best == nullptr || distance < bestDistance) {
            best = tower;
            bestDistance = distance;
        }
    }
    return best;
}

// --- The map canvas ------------------------------------------------------------------------------

CanvasPoint canvasPixel(ViewPoint point)
{
    return {pixel(mapHalfSize * (point.vx + 1)), pixel(mapHalfSize * (1 - point.vy))};
}

ViewPoint viewPointOfPixel(CanvasPoint at)
{
    return {static_cast<double>(at.x) / mapHalfSize - 1, 1 - static_cast<double>(at.y) / mapHalfSize};
}

CanvasPoint outlinePixel(const TowerDatabase& database, Position point)
{
    const Position c = database.centre;
    const double s = viewRadius(database) / 100;
    return {pixel(((point.x - static_cast<double>(c.x)) / s + 1) * mapHalfSize),
            pixel(((c.y - static_cast<double>(point.y)) / s + 1) * mapHalfSize)};
}

bool polylineInView(const TowerDatabase& database, const OutlinePolyline& polyline)
{
    const double cx = database.centre.x;
    const double cy = database.centre.y;
    const double s = viewRadius(database) / 100;
    return cx + s > polyline.minX && cx - s < polyline.maxX && cy + s > polyline.minY &&
           cy - s < polyline.maxY;
}

void outlineRuns(const TowerDatabase& database, const OutlinePolyline& polyline, CanvasRuns& runs)
{
    runs.points.clear();
    runs.runLengths.clear();
    std::size_t runStart = 0;
    auto endRun = [&] {
        const std::size_t length = runs.points.size() - runStart;
        if (length >= 2) {
            runs.runLengths.push_back(length);
        } else {
            runs.points.resize(runStart);
        }
        runStart = runs.points.size();
    };
    CanvasPoint previous{};
    for (std::size_t i = 0; i < polyline.points.size(); ++i) {
        const CanvasPoint current = outlinePixel(database, polyline.points[i]);
        if (i > 0) {
            if ((outsideEdges(previous) & outsideEdges(current)) != 0) {
                endRun();
            } else {
                if (runs.points.size() == runStart) runs.points.push_back(previous);
                runs.points.push_back(current);
            }
        }
        previous = current;
    }
    endRun();
}

CanvasPoint centringScroll(std::int32_t clientWidth, std::int32_t clientHeight)
{
    return {mapHalfSize - clientWidth / 2, mapHalfSize - clientHeight / 2};
}

// --- Pens and markers ----------------------------------------------------------------------------

std::size_t penIndex(std::int32_t number)
{
    if (number <= 0) return 0;
    return std::min(static_cast<std::size_t>(number), mapPens.size() - 1);
}

namespace {

constexpr std::array<MarkerDot, 9> uprightCross{
    {{0, -2}, {0, -1}, {0, 0}, {0, 1}, {0, 2}, {-2, 0}, {-1, 0}, {1, 0}, {2, 0}}};
constexpr std::array<MarkerDot, 5> diagonalCross{{{-1, -1}, {0, 0}, {1, 1}, {-1, 1}, {1, -1}}};

// The ring and what it holds, measured in half pixels: 7 and 9 halves are 3.5 and 4.5 pixels.
constexpr bool inRing(int dx, int dy) { return 4 * (dx * dx + dy * dy) <= 9 * 9; }
constexpr bool insideRing(int dx, int dy) { return 4 * (dx * dx + dy * dy) < 7 * 7; }

constexpr std::size_t ringDotCount = [] {
    std::size_t count = 0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) count += inRing(dx, dy) ? 1 : 0;
    return count;
}();

template <std::size_t crossSize>
constexpr std::array<MarkerDot, ringDotCount + crossSize> ringedCross(const std::array<MarkerDot, crossSize>& cross)
{
    std::array<MarkerDot, ringDotCount + crossSize> dots{};
    std::size_t next = 0;
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
            if (inRing(dx, dy))
                dots[next++] = {static_cast<std::int8_t>(dx), static_cast<std::int8_t>(dy), insideRing(dx, dy)};
    for (const MarkerDot& dot : cross) dots[next++] = dot;
    return dots;
}

constexpr auto ringedUprightCross = ringedCross(uprightCross);
constexpr auto ringedDiagonalCross = ringedCross(diagonalCross);

}  // namespace

std::span<const MarkerDot> markerDots(const TowerMarker& marker)
{
    if (marker.ringed) return marker.unringable ? std::span<const MarkerDot>(ringedDiagonalCross) : ringedUprightCross;
    return marker.unringable ? std::span<const MarkerDot>(diagonalCross) : uprightCross;
}

void towerMarkers(const TowerDatabase& database, ViewPoint ringed, TowerMarkers& markers)
{
    // Worked out in the order the towers are stored, which reads each in turn, and only then
    // put in display order, which would read them all over the place: the markers are small and
    // lie close together, so that reading them so stays cheap.
    markers.byId.assign(maxTowerId + 1, -1);
    markers.inIdOrder.clear();
    for (const auto& [id, tower] : database.towers()) {
        const ViewPoint at = viewCoordinates(database, tower);
        if (!onMap(at)) continue;
        markers.byId[id] = static_cast<std::int32_t>(markers.inIdOrder.size());
        markers.inIdOrder.push_back({canvasPixel(at), static_cast<std::uint8_t>(penIndex(tower.bells)), at == ringed,
                                     tower.unringable});
    }
    markers.shown.clear();
    for (const TowerId id : database.displayOrder)
        if (id >= 0 && id <= maxTowerId && markers.byId[id] >= 0) markers.shown.push_back(markers.inIdOrder[markers.byId[id]]);
}
