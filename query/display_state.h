#pragma once

#include <cstdint>
#include <vector>

#include "records/page_memory.h"
#include "records/position.h"
#include "query/selection_step.h"
#include "query/sort_key.h"
#include "records/tower.h"

// What the viewer displays of its directory: the map's centre and radius, the tower distances are
// measured from, the selection chain and the sort keys, and the towers that pass in sort order.
// The display order changes only when it is recomputed from the rest (recomputeDisplayed).
// Tower ids in display order, in present memory: a list of every tower is a large array.
using TowerIds = std::vector<TowerId, PresentAllocator<TowerId>>;

struct DisplayState {
    Position centre;
    std::int32_t radius = 0;                      // whole metres
    const Tower* distanceReference = nullptr;     // a tower of the directory, or none
    std::vector<SelectionStep> selectionSteps;    // oldest first; the newest is the chain's head
    SortKeys sortKeys{};
    TowerIds displayOrder;                        // the towers that pass, in sort order

    // Where distances are measured from: the distance reference's position, else the centre.
    Position referencePoint() const
    {
        return distanceReference != nullptr ? distanceReference->position : centre;
    }
};
