#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "geo/map_outline.h"
#include "records/position.h"

class TowerDatabase;
struct Tower;

// View coordinates: the map square spans -1 < v < 1 on both axes around the database's centre,
// the radius reaching from the centre to the square's edges. y grows northwards.
struct ViewPoint {
    double vx = 0;
    double vy = 0;

    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// Where towers without a position are placed: outside the square, never drawn.
inline constexpr ViewPoint offMap{-2, -2};

// ((p - c) * 100) / r: the difference and its product with 100 in integers, the division in
// double precision. A radius of 0 is taken as 1 m, so every place stays a finite point.
ViewPoint viewCoordinates(const TowerDatabase& database, Position position);
ViewPoint viewCoordinates(const TowerDatabase& database, const Tower& tower);

// Inside the open square -1 < v < 1 that the map shows.
bool onMap(ViewPoint point);

// A point on the ground in 100 m units, not rounded to them.
struct GroundPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const GroundPoint&, const GroundPoint&) = default;
};

// The ground point under view coordinates, the radius read as viewCoordinates reads it, so that
// the two are each other's inverse. It is not rounded to 100 m units: when the map is zoomed in
// far enough for those to be many pixels apart, a click still finds the tower drawn nearest it.
GroundPoint groundPoint(const TowerDatabase& database, ViewPoint point);

// The displayed tower nearest the ground point under the view coordinates, the first in display
// order winning a tie; none only when no tower is displayed. There is no distance limit.
const Tower* nearestVisibleTower(const TowerDatabase& database, ViewPoint point);

// --- The map canvas -----------------------------------------------------------------------------
// A square of 2 x mapHalfSize pixels, y growing downwards, the display centre in its middle.

inline constexpr std::int32_t mapHalfSize = 500;
inline constexpr std::int32_t mapCanvasSize = 2 * mapHalfSize;

struct CanvasPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// trunc(mapHalfSize (vx + 1)), trunc(mapHalfSize (1 - vy)). A point more than four million
// pixels out, which only the deepest zooms give, is held there: drawing code takes no more.
CanvasPoint canvasPixel(ViewPoint point);
// The view coordinates of a canvas pixel (scroll offset already applied).
ViewPoint viewPointOfPixel(CanvasPoint pixel);
// An outline vertex on the canvas, by the same scale as the towers.
CanvasPoint outlinePixel(const TowerDatabase& database, Position point);
// The polyline's bounding box overlaps the map square; a polyline that does not is not drawn.
bool polylineInView(const TowerDatabase& database, const OutlinePolyline& polyline);
// A polyline on the canvas as the runs of its points that can show: a segment with both ends
// beyond the same edge of the canvas cannot, and is left out. The runs follow one another in
// `points`, each as long as its entry in `runLengths`; both buffers are the caller's to reuse.
struct CanvasRuns {
    std::vector<CanvasPoint> points;
    std::vector<std::size_t> runLengths;
};
void outlineRuns(const TowerDatabase& database, const OutlinePolyline& polyline, CanvasRuns& runs);

// The scroll position that brings the display centre to the middle of a client area of the
// given size in pixels; the scrolled window limits it to its range.
CanvasPoint centringScroll(std::int32_t clientWidth, std::int32_t clientHeight);

// --- Pens and markers ----------------------------------------------------------------------------

struct PenColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const PenColour&, const PenColour&) = default;
};

// Outline layer i is drawn with pen i, a tower with the pen of its number of bells.
inline constexpr std::array<PenColour, 17> mapPens = {{
    {0, 0, 127}, {80, 48, 32}, {127, 127, 127}, {0, 0, 0}, {0, 0, 0}, {127, 0, 127},
    {0, 0, 255}, {0, 127, 127}, {0, 127, 0}, {127, 127, 0}, {255, 127, 0}, {127, 0, 0},
    {255, 0, 0}, {255, 0, 191}, {255, 0, 127}, {191, 0, 127}, {127, 0, 127},
}};

// The pen for a layer or a number of bells: beyond the table the last pen, below it the first.
std::size_t penIndex(std::int32_t number);

// One displayed tower as the map draws it.
struct TowerMarker {
    CanvasPoint at;
    std::uint8_t pen = 0;  // into mapPens
    bool ringed = false;
    bool unringable = false;
};

// One pixel of a marker, placed from the tower's pixel, in the marker's pen or white.
struct MarkerDot {
    std::int8_t dx = 0;
    std::int8_t dy = 0;
    bool white = false;
};

// A marker's pixels in the order they are painted, each over the ones before: for the current
// tower first a ring (the pixels whose centres lie 3.5 to 4.5 pixels from the tower's), filled
// white, then the cross, upright and five pixels each way, or diagonal and three each way for
// an unringable tower.
std::span<const MarkerDot> markerDots(const TowerMarker& marker);

// The displayed towers inside the map square, in display order. A tower whose view coordinates
// equal the ringed point's exactly is ringed; offMap rings none. `inIdOrder` and `byId` are room
// the work takes, the caller's to reuse with `shown`.
struct TowerMarkers {
    std::vector<TowerMarker> shown;
    std::vector<TowerMarker> inIdOrder;  // the towers inside the square
    std::vector<std::int32_t> byId;      // place in inIdOrder, -1 for a tower outside
};
void towerMarkers(const TowerDatabase& database, ViewPoint ringed, TowerMarkers& markers);
