#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "geo/location_text.h"
#include "query/user_fields.h"
#include "records/source_parser.h"
#include "query/tower_database.h"

// A directory compiled from source lines, as the data compiler would, with the display state at
// its defaults, no user-defined fields and place texts in the OS system.
class QueryTest : public testing::Test {
protected:
    static constexpr std::string_view header =
        "Place\\FULL\\Dedicn\\NG\\Bells\\cwt\\qr\\lb\\App\\Note\\Prac\\GF\\UR\\Postcode\\WebPage";

    void load(std::initializer_list<std::string_view> lines)
    {
        ColumnMap columns = ColumnMap::fromHeader(header);
        for (std::string_view line : lines) database.addTower(line, columns);
    }

    TowerId idOf(std::string_view place) const
    {
        for (const auto& [id, tower] : database.towers())
            if (tower.place == place) return id;
        ADD_FAILURE() << "no tower " << place;
        return 0;
    }
    const Tower& towerOf(std::string_view place) const { return *database.tower(idOf(place)); }

    std::vector<std::string> displayedPlaces() const
    {
        std::vector<std::string> places;
        for (std::int32_t i = 0; i < database.displayedCount(); ++i)
            places.emplace_back(database.displayedTower(i)->place);
        return places;
    }

    // Places in display order, with each group of towers that sort as equals listed in
    // ascending TowerId, however the group was written.
    std::vector<std::string> inGroups(std::vector<std::vector<std::string>> groups) const
    {
        std::vector<std::string> places;
        for (auto& group : groups) {
            std::sort(group.begin(), group.end(),
                      [&](const std::string& a, const std::string& b) { return idOf(a) < idOf(b); });
            places.insert(places.end(), group.begin(), group.end());
        }
        return places;
    }

    TowerDatabase database;
    UserFields fields;
    ReferenceSystem system = ReferenceSystem::OS;
};

// Nine towers that between them vary every field the selection and the sort look at. Centre
// (5100, 1100) is TQ100100; from there Bath lies 5 km off, Cambridge and Czz exactly 10 km,
// Czza 10.08 km, and abbey has no position.
class DirectoryTest : public QueryTest {
protected:
    void SetUp() override
    {
        load({
            "Bath\\Somerset\\S Mary\\TQ150100\\8\\12\\2\\14\\\\F\\Mon 19.30\\\\\\BA1 1AA",
            "Cambridge\\Cambs\\Great S Mary\\TQ100200\\12\\25\\0\\0\\\\D\\-Fri 19.30",
            "Czz\\Cambs\\All Saints\\TQ180160\\6\\8\\0\\0\\App\\Ab\\+Sat 19.00\\GF",
            "Czza\\Kent\\S Peter\\TQ181160\\5\\6\\1\\0\\\\A#\\Wed 19.30\\\\UR",
            "Durham\\Durham\\Cathedral\\NZ274422\\10\\28\\0\\18\\\\C\\Tue 19.00",
            "abbey",
            "Easton\\Midshire\\S Mary\\SU123456\\8\\12\\2\\14\\App\\F\\Wed 19.30\\GF\\\\AB1 2CD",
            "Fenny\\Kent\\S Mary\\TQ102665\\3\\\\\\\\\\Eb\\Sun",
            "Gorran\\Cornwall\\S Just\\SW900400\\0\\\\\\\\\\\\\\\\UR\\\\example.org/gorran",
        });
        database.centre = {5100, 1100};
    }

    static inline const std::vector<std::string> everyPlace = {
        "Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"};
};
