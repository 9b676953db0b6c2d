#include <gtest/gtest.h>

#include <random>

#include "query/selection.h"
#include "query/sorting.h"
#include "query_fixture.h"
#include "records/tower_codec.h"

namespace {

using SortingTest = DirectoryTest;

// A key on its own: the two further keys name no field and so leave ties in TowerId order.
void sortBy(TowerDatabase& database, const UserFields& fields, SortKey key)
{
    database.sortKeys = {key, SortKey{false, -1, false}, SortKey{false, 99, false}};
    recomputeDisplayed(database, fields);
}

struct SortCase {
    SortKey key;
    std::vector<std::vector<std::string>> groups;  // in order; each group sorts as equals
};

TEST_F(SortingTest, EachBuiltInKeyOrdersByItsValue)
{
    const std::vector<SortCase> cases = {
        {{false, sortPlace, false}, {{"Bath"}, {"Cambridge"}, {"Czz"}, {"Czza"}, {"Durham"}, {"Easton"}, {"Fenny"}, {"Gorran"}, {"abbey"}}},
        {{false, sortPlace, true}, {{"abbey"}, {"Gorran"}, {"Fenny"}, {"Easton"}, {"Durham"}, {"Czza"}, {"Czz"}, {"Cambridge"}, {"Bath"}}},
        {{false, sortCounty, false}, {{"abbey"}, {"Cambridge", "Czz"}, {"Gorran"}, {"Durham"}, {"Czza", "Fenny"}, {"Easton"}, {"Bath"}}},
        {{false, sortDedication, false}, {{"abbey"}, {"Czz"}, {"Durham"}, {"Cambridge"}, {"Gorran"}, {"Bath", "Easton", "Fenny"}, {"Czza"}}},
        {{false, sortBells, false}, {{"abbey", "Gorran"}, {"Fenny"}, {"Czza"}, {"Czz"}, {"Bath", "Easton"}, {"Durham"}, {"Cambridge"}}},
        {{false, sortBells, true}, {{"Cambridge"}, {"Durham"}, {"Bath", "Easton"}, {"Czz"}, {"Czza"}, {"Fenny"}, {"abbey", "Gorran"}}},
        {{false, sortWeight, false}, {{"abbey", "Fenny", "Gorran"}, {"Czza"}, {"Czz"}, {"Bath", "Easton"}, {"Cambridge"}, {"Durham"}}},
        // By letter, flat before natural before sharp; no note first.
        {{false, sortNote, false}, {{"abbey", "Gorran"}, {"Czz"}, {"Czza"}, {"Durham"}, {"Cambridge"}, {"Fenny"}, {"Bath", "Easton"}}},
        // Cambridge and Czz both lie exactly 10 km off; no position last.
        {{false, sortDistance, false}, {{"Bath"}, {"Cambridge", "Czz"}, {"Czza"}, {"Fenny"}, {"Easton"}, {"Gorran"}, {"Durham"}, {"abbey"}}},
        // The day alone: -Fri sorts as Friday and +Sat as Saturday.
        {{false, sortNight, false}, {{"abbey", "Gorran"}, {"Fenny"}, {"Bath"}, {"Durham"}, {"Czza", "Easton"}, {"Cambridge"}, {"Czz"}}},
        // Numbers that name no field compare nothing.
        {{false, 8, false}, {{"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}}},
        {{true, 10, true}, {{"Bath", "Cambridge", "Czz", "Czza", "Durham", "abbey", "Easton", "Fenny", "Gorran"}}},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.key.field << (c.key.descending ? " descending" : ""));
        sortBy(database, fields, c.key);
        EXPECT_EQ(displayedPlaces(), inGroups(c.groups));
    }
}

TEST_F(SortingTest, TowersWithoutAUserValueComeAfterTheValuesEitherWay)
{
    fields[3] = {"Count", FieldType::Number, {}, {}};
    for (auto [place, value] : {std::pair{"Bath", 0}, {"Cambridge", 5}, {"Czz", -3}, {"Durham", 100}})
        fields.setNumber(3, idOf(place), value);
    fields[6] = {"Remark", FieldType::String, {}, {}};
    for (auto [place, value] : {std::pair{"Bath", "bells rehung"}, {"Cambridge", "Bells"}, {"Czz", ""},
                                {"Durham", "zzz"}, {"Easton", "zz"}, {"Fenny", "yy"}})
        fields.setText(6, idOf(place), value);

    sortBy(database, fields, {true, 3, false});
    EXPECT_EQ(displayedPlaces(), inGroups({{"Czz"}, {"Bath"}, {"Cambridge"}, {"Durham"}, {"Czza", "abbey", "Easton", "Fenny", "Gorran"}}));
    sortBy(database, fields, {true, 3, true});
    EXPECT_EQ(displayedPlaces(), inGroups({{"Durham"}, {"Cambridge"}, {"Bath", "Czza", "abbey", "Easton", "Fenny", "Gorran"}, {"Czz"}}));
    sortBy(database, fields, {true, 6, false});
    EXPECT_EQ(displayedPlaces(), inGroups({{"Czz"}, {"Cambridge"}, {"Bath"}, {"Fenny"}, {"Easton", "Czza", "abbey", "Gorran"}, {"Durham"}}));
    sortBy(database, fields, {true, 6, true});
    EXPECT_EQ(displayedPlaces(), inGroups({{"Durham"}, {"Easton"}, {"Fenny"}, {"Bath"}, {"Cambridge"}, {"Czz", "Czza", "abbey", "Gorran"}}));

    // A Number field turned into a Date field keeps ordering by the same numbers.
    fields[3].type = FieldType::Date;
    sortBy(database, fields, {true, 3, false});
    EXPECT_EQ(displayedPlaces(), inGroups({{"Czz"}, {"Bath"}, {"Cambridge"}, {"Durham"}, {"Czza", "abbey", "Easton", "Fenny", "Gorran"}}));
}

TEST_F(QueryTest, DefaultKeysOrderByPlaceThenCountyThenDedication)
{
    load({"Ashby\\Leics\\S Helen", "Ashby\\Derbys\\S Mary", "Ashby\\Leics\\All Saints",
          "Ashby\\Derbys\\S Mary", "Acton\\Suffolk\\All Saints"});
    setDefaultSortKeys(database);
    EXPECT_EQ(database.sortKeys[2], (SortKey{false, sortDedication, false}));
    recomputeDisplayed(database, fields);
    std::vector<std::string> counties, dedications;
    for (std::int32_t i = 0; i < database.displayedCount(); ++i) {
        counties.emplace_back(database.countyName(database.displayedTower(i)->county));
        dedications.emplace_back(database.dedicationText(database.displayedTower(i)->dedication));
    }
    EXPECT_EQ(counties, (std::vector<std::string>{"Suffolk", "Derbys", "Derbys", "Leics", "Leics"}));
    EXPECT_EQ(dedications, (std::vector<std::string>{"All Saints", "S Mary", "S Mary", "All Saints", "S Helen"}));
    EXPECT_LT(database.displayOrder[1], database.displayOrder[2]);  // the twins in TowerId order
    EXPECT_FALSE(towerLess(database, fields, *database.displayedTower(1), *database.displayedTower(2)));
    EXPECT_FALSE(towerLess(database, fields, *database.displayedTower(2), *database.displayedTower(1)));
}

// Many towers sharing few values, so that every key meets ties: the display order must be the
// towers that pass, sorted by towerLess with ties in ascending TowerId.
TEST_F(QueryTest, DisplayOrderFollowsTowerLessForRandomKeys)
{
    std::mt19937 random(1601);
    auto pick = [&](std::initializer_list<const char*> values) { return *(values.begin() + random() % values.size()); };
    std::vector<std::string> lines;
    for (int i = 0; i < 400; ++i) {
        lines.push_back(std::string(pick({"Ab", "Ba", "ba", "B\xE9", "C", "", "Ashby de la Zouch", "Ashby de la Zouch Parva", "Ashby de la Launde", "Ashby de ", "Ashby de"})) + "\\" + pick({"Kent", "Essex", ""}) + "\\" +
                        pick({"S Mary", "S John", ""}) + "\\" + pick({"TQ100100", "TQ101100", "SU500500", ""}) + "\\" +
                        pick({"6", "8", ""}) + "\\" + pick({"12", "8", ""}) + "\\0\\0\\\\" + pick({"F", "Ab", ""}) + "\\" +
                        pick({"Mon 19.30", "-Mon 19.00", "Sat 19.30", ""}));
    }
    ColumnMap columns = ColumnMap::fromHeader(header);
    for (const std::string& line : lines) database.addTower(line, columns);
    database.centre = {5100, 1100};
    fields[1] = {"N", FieldType::Number, {}, {}};
    fields[2] = {"S", FieldType::String, {}, {}};
    for (const auto& [id, tower] : database.towers()) {
        if (random() % 3) fields.setNumber(1, id, static_cast<std::int32_t>(random() % 5) - 2);
        if (random() % 3) fields[2].texts[id] = pick({"", "a", "zz", "zzz", "Z", "zzzzzzzz", "zzzzzzzzA"});
    }
    SelectionStep bells;
    bells.field = selectBells;
    bells.fromText = "7";
    applySelectionStep(database, fields, bells);

    for (int round = 0; round < 60; ++round) {
        for (SortKey& key : database.sortKeys) {
            key.userField = random() % 4 == 0;
            key.field = key.userField ? static_cast<std::int32_t>(random() % 3) : static_cast<std::int32_t>(random() % 9);
            key.descending = random() % 2;
        }
        recomputeDisplayed(database, fields);
        std::vector<const Tower*> expected;
        for (const auto& [id, tower] : database.towers())
            if (tower.bells >= 7) expected.push_back(&tower);
        std::sort(expected.begin(), expected.end(), [&](const Tower* a, const Tower* b) {
            if (towerLess(database, fields, *a, *b)) return true;
            if (towerLess(database, fields, *b, *a)) return false;
            return a->id < b->id;
        });
        TowerIds expectedIds;
        for (const Tower* tower : expected) expectedIds.push_back(tower->id);
        ASSERT_EQ(database.displayOrder, expectedIds) << "round " << round;
    }
}

// A data file may list one county text under two indexes; towers under either are in the same
// county and sort by their next key.
TEST_F(QueryTest, CountiesWithTheSameTextSortAsEqual)
{
    TagWriter writer;
    for (auto [id, place, county] : {std::tuple{1, "B", 9}, {2, "A", 5}, {3, "C", 5}, {4, "D", 7}}) {
        Tower tower;
        tower.id = id;
        tower.place = place;
        tower.county = county;
        writeTower(tower, writer);
    }
    writer.putEnd();
    for (auto [index, text] : {std::pair{5, "Kent"}, {9, "Kent"}, {7, "Essex"}}) {
        writer.putNumber('k', index);
        writer.putText('s', text);
    }
    for (int list = 0; list < 3; ++list) writer.putEnd();
    database = TowerDatabase(TagReader(writer.bytes()));
    ASSERT_EQ(database.towers().size(), 4u);
    database.sortKeys = {SortKey{false, sortCounty, false}, SortKey{false, sortPlace, false}, SortKey{false, -1, false}};
    recomputeDisplayed(database, fields);
    EXPECT_EQ(displayedPlaces(), (std::vector<std::string>{"D", "A", "B", "C"}));
}

TEST_F(QueryTest, SortListMapsEntriesToFieldsAndBack)
{
    fields[1].name = "Visited";
    fields[4].name = "Remark";
    std::vector<std::string> list = fieldList(sortFieldEntries, fields);
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[7], "practice night");
    EXPECT_EQ(list[9], "Remark");
    EXPECT_EQ(fieldOfEntry(sortFieldEntries, fields, 8), (FieldChoice{true, 1}));
    EXPECT_EQ(fieldOfEntry(sortFieldEntries, fields, 9), (FieldChoice{true, 4}));
    EXPECT_EQ(fieldOfEntry(sortFieldEntries, fields, -1), (FieldChoice{false, -1}));
    EXPECT_EQ(entryOfField(sortFieldEntries, fields, {true, 4}), 9);
    EXPECT_EQ(entryOfField(sortFieldEntries, fields, {true, 2}), -1);  // unnamed slot: no entry shown
    EXPECT_EQ(entryOfField(sortFieldEntries, fields, {false, 6}), 6);
    EXPECT_EQ(entryOfField(sortFieldEntries, fields, {false, 8}), -1);
}

}  // namespace
