#pragma once

#include <compare>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "records/position.h"
#include "records/tower.h"

class TowerDirectory;

// What tells a tower apart when the directory is compiled again and every id is drawn afresh:
// its place, county and dedication, and its grid position for namesakes. Bells, weights, practice
// nights, postcodes and web addresses change from year to year and are no part of it.
struct TowerIdentity {
    std::string place;
    std::string county;
    std::string dedication;
    Position position;
    // No other tower of the directory bore the same place, county and dedication, so a tower
    // of that name at another grid position is still this one, its position corrected.
    bool onlyOfItsName = true;

    friend bool operator==(const TowerIdentity&, const TowerIdentity&) = default;
};

// What nothing a document keeps tells apart: one place, county and dedication at one grid
// position. Towers alike in it are twins (two rings in one church).
using PlaceKey = std::tuple<std::string_view, std::string_view, std::string_view, std::int32_t, std::int32_t>;

inline PlaceKey placeKey(const TowerIdentity& identity)
{
    return {identity.place, identity.county, identity.dedication, identity.position.x, identity.position.y};
}

// "Aston, Berkshire, St Mary (SU123456)": the one-line description with the grid reference, or
// "(no grid reference)".
std::string identityText(const TowerIdentity& identity);

// The towers of a directory by place, county and dedication. Views into the directory, which
// must outlive it.
class TowersByName {
public:
    explicit TowersByName(const TowerDirectory& directory);

    TowerIdentity identityOf(const Tower& tower) const;
    // The towers of the identity's name, in ascending id.
    std::span<const Tower* const> named(const TowerIdentity& identity) const;

private:
    struct Name {
        std::string_view place;
        std::string_view county;
        std::string_view dedication;
        friend auto operator<=>(const Name&, const Name&) = default;
    };
    Name nameOf(const Tower& tower) const;

    const TowerDirectory& directory_;
    std::map<Name, std::vector<const Tower*>> byName_;
};
