#pragma once

#include "geo/position.h"

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

// The ground point under view coordinates, truncated toward zero to 100 m units.
Position groundPoint(const TowerDatabase& database, ViewPoint point);

// The displayed tower nearest the ground point under the view coordinates, the first in display
// order winning a tie; none only when no tower is displayed. There is no distance limit.
const Tower* nearestVisibleTower(const TowerDatabase& database, ViewPoint point);
