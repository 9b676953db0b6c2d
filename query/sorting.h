#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "query/field_list.h"
#include "query/sort_key.h"
#include "records/tower.h"

class TowerDatabase;
class UserFields;
struct DisplayState;

// Built-in sort fields, numbered as the entries of the Sort dialog's field lists.
enum SortField : std::int32_t {
    sortPlace = 0,
    sortCounty = 1,
    sortDedication = 2,
    sortBells = 3,
    sortWeight = 4,
    sortNote = 5,
    sortDistance = 6,
    sortNight = 7,
};

// The first eight of the towers' own fields, numbered alike.
inline constexpr BuiltInEntries sortFieldEntries = BuiltInEntries(towerFieldNames).first(8);

// Place name, then county, then dedication, all ascending.
void setDefaultSortKeys(DisplayState& display);

// a comes before b in the order of the database's three keys; false for towers equal on all
// three. Texts compare as unsigned bytes; a tower without a user-field value comes after the
// towers with ordinary values in either direction.
bool towerLess(const TowerDatabase& database, const UserFields& fields, const Tower& a, const Tower& b);
