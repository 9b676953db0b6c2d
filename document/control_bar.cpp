#include "document/control_bar.h"

#include "query/tower_database.h"
#include "query/tower_text.h"

ControlBarState showCurrentTower(const Tower* tower, const TowerDatabase& database)
{
    if (tower == nullptr) return {};
    ControlBarState bar;
    bar.centre = bar.wwwMap = tower->position.isSet();
    bar.www = tower->webPage != 0;
    bar.details = true;
    bar.text = towerName(tower, database);
    return bar;
}
