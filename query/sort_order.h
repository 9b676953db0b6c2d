#pragma once

#include <span>
#include <vector>

#include "query/display_state.h"
#include "records/tower.h"

class TowerDatabase;
class UserFields;

// The ids of the given towers in the order of the database's sort keys; towers that towerLess
// holds equal keep the order they are given in.
TowerIds sortedTowerIds(const TowerDatabase& database, const UserFields& fields,
                                    std::span<const Tower* const> towers);
