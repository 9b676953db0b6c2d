#pragma once

#include <cstdint>
#include <utility>

#include "geo/map_outline.h"
#include "query/display_state.h"
#include "records/tower_directory.h"

// The tower database as the viewer holds it: the directory of the compiled file, what is
// displayed of it and the outline map drawn behind it.
class TowerDatabase : public TowerDirectory, public DisplayState {
public:
    TowerDatabase() = default;
    // From the compiled file, as TowerDirectory reads it; nothing displayed yet.
    using TowerDirectory::TowerDirectory;
    explicit TowerDatabase(TowerDirectory directory) : TowerDirectory(std::move(directory)) {}

    // The distance reference points into the towers: move, never copy.
    TowerDatabase(TowerDatabase&&) = default;
    TowerDatabase& operator=(TowerDatabase&&) = default;
    TowerDatabase(const TowerDatabase&) = delete;
    TowerDatabase& operator=(const TowerDatabase&) = delete;

    MapOutline outline;

    // The displayed towers, read by display position; none past the end.
    std::int32_t displayedCount() const { return static_cast<std::int32_t>(displayOrder.size()); }
    const Tower* displayedTower(std::int32_t displayPosition) const
    {
        if (displayPosition < 0 || displayPosition >= displayedCount()) return nullptr;
        return tower(displayOrder[displayPosition]);
    }

    // From the reference point, in (100 m)^2.
    double squaredDistance(const Tower& tower) const
    {
        return ::squaredDistance(referencePoint(), tower);
    }
};
