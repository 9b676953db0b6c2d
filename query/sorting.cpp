#include "query/sorting.h"

#include "query/sort_values.h"
#include "query/user_fields.h"
#include "query/tower_database.h"

namespace {

// Stand-ins for a tower without a value in a user field, chosen so that such towers come after
// the ordinary values in either direction.
constexpr std::string_view missingTextAscending = "zz";
constexpr std::string_view missingTextDescending = "";
constexpr double missingNumberAscending = 2147483647;
constexpr double missingNumberDescending = 0;

}  // namespace

SortValueReader::SortValueReader(const TowerDatabase& database, const UserFields& fields, const SortKey& key)
    : database_(database), fields_(fields), key_(key)
{
    if (key.userField) {
        if (isUserFieldSlot(key.field))
            kind_ = fields[key.field].usesTexts() ? SortValueKind::Text : SortValueKind::Number;
    } else if (key.field >= sortPlace && key.field <= sortNight) {
        kind_ = key.field <= sortDedication ? SortValueKind::Text : SortValueKind::Number;
    }
}

SortValue SortValueReader::read(const Tower& tower) const
{
    SortValue value;
    if (kind_ == SortValueKind::None) return value;
    if (key_.userField) {
        if (kind_ == SortValueKind::Text) {
            const std::string* text = fields_.text(key_.field, tower.id);
            value.text = text ? std::string_view(*text)
                              : (key_.descending ? missingTextDescending : missingTextAscending);
        } else {
            const std::int32_t* number = fields_.number(key_.field, tower.id);
            value.number = number ? *number
                                  : (key_.descending ? missingNumberDescending : missingNumberAscending);
        }
        return value;
    }
    switch (key_.field) {
    case sortPlace: value.text = tower.place; break;
    case sortCounty: value.text = database_.countyName(tower.county); break;
    case sortDedication: value.text = database_.dedicationText(tower.dedication); break;
    case sortBells: value.number = tower.bells; break;
    case sortWeight: value.number = tower.weight; break;
    case sortNote: value.number = tower.note; break;
    case sortDistance: value.number = database_.squaredDistance(tower); break;
    case sortNight: value.number = tower.practiceNight & practiceDayBits; break;  // marks ignored
    }
    return value;
}

void setDefaultSortKeys(DisplayState& display)
{
    display.sortKeys = {SortKey{false, sortPlace, false}, SortKey{false, sortCounty, false},
                         SortKey{false, sortDedication, false}};
}

bool towerLess(const TowerDatabase& database, const UserFields& fields, const Tower& a, const Tower& b)
{
    for (const SortKey& key : database.sortKeys) {
        SortValueReader reader(database, fields, key);
        if (reader.kind() == SortValueKind::None) continue;
        SortValue va = reader.read(a);
        SortValue vb = reader.read(b);
        bool aBelow = reader.below(va, vb);
        bool bBelow = reader.below(vb, va);
        if (aBelow || bBelow) return key.descending ? bBelow : aBelow;
    }
    return false;
}
