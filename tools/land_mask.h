#pragma once

#include <cstdint>
#include <vector>

#include "geo/map_outline.h"
#include "records/position.h"

// Which positions are dry land, judged from the outline map's first layer, whose polylines
// are closed shores of the sea and of lakes alike. A point inside an odd number of them is on
// land: inside a coast alone, or inside a lake's shore as well as on an island in that lake.
// The other layers (borders, rivers) are open lines and play no part.
class LandMask {
public:
    static constexpr std::size_t coastlineLayer = 0;

    // The mask refers to the outline's polylines, so the outline must outlive it.
    explicit LandMask(const MapOutline& outline);

    bool isLand(Position position) const;

    // Number of shores taken from the outline; 0 means the outline had no coastline.
    std::size_t shoreCount() const { return shores_.size(); }

private:
    std::vector<const OutlinePolyline*> shores_;
};
