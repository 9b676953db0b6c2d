#pragma once

#include <cstdint>
#include <vector>

#include "records/position.h"

// The outline map drawn behind the towers: layers of polylines, each layer drawn with its own pen.
// Coordinates are in the towers' units (100 m on the national grid, Irish places shifted).
struct OutlinePolyline {
    std::vector<Position> points;
    // Bounding box, set by the first point and widened by every further one; lets the map skip
    // polylines outside its square without mapping their points.
    std::int32_t minX = 0;
    std::int32_t maxX = 0;
    std::int32_t minY = 0;
    std::int32_t maxY = 0;

    void addPoint(Position point)
    {
        if (points.empty()) {
            minX = maxX = point.x;
            minY = maxY = point.y;
        } else {
            if (point.x < minX) minX = point.x;
            if (point.x > maxX) maxX = point.x;
            if (point.y < minY) minY = point.y;
            if (point.y > maxY) maxY = point.y;
        }
        points.push_back(point);
    }
};

struct OutlineLayer {
    std::vector<OutlinePolyline> polylines;
};

struct MapOutline {
    std::vector<OutlineLayer> layers;
};
