#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/list_search.h"
#include "query/tower_database.h"
#include "records/source_parser.h"

namespace {

struct PrefixCase {
    std::string text;
    std::string prefix;
    bool starts;
};

TEST(ListSearch, LettersMatchTheirCasePartnersInWindows1252)
{
    const PrefixCase cases[] = {
        {"Aston", "ast", true},
        {"aston", "AST", true},
        {"Aston", "asx", false},
        {"As", "Ast", false},
        {"Bexley", "", true},
        {"\xC0mbel", "\xE0", true},     // A grave, the first accented capital
        {"\xC1" "bel", "\xE1" "B", true},  // A acute
        {"\xE1" "bel", "\xC1", true},
        {"\xDE" "orn", "\xFE", true},    // thorn, the last
        {"\x8A" "enov", "\x9A", true},   // S caron
        {"\x8C" "uvre", "\x9C", true},   // OE
        {"\x8E" "ilina", "\x9E", true},  // Z caron
        {"\x9F" "sgol", "\xFF", true},   // Y diaeresis
        {"Aston", "\xE1", false},        // the accent tells letters apart
        {"\xD7", "\xF7", false},         // multiplication and division signs are no letters
        {"\xDF", "\xFF", false},         // sharp s has no capital in the code page
        {"\x8B", "\x9B", false},         // angle quotes
        {"@", "`", false},
        {"[", "{", false},
    };
    for (const PrefixCase& c : cases)
        EXPECT_EQ(startsWithIgnoringCase(c.text, c.prefix), c.starts) << c.text << " / " << c.prefix;
}

class ListSearchTest : public testing::Test {
protected:
    ListSearchTest()
    {
        const ColumnMap columns = ColumnMap::fromHeader("NG\\FULL\\Place");
        for (const char* place : {"Aston", "ashby", "Bexley", "\xC1" "bel"})
            database.addTower(std::string("TQ102665\\Midshire\\") + place, columns);
    }
    TowerId idOf(const std::string& place) const
    {
        for (const auto& [id, tower] : database.towers())
            if (tower.place == place) return id;
        return 0;
    }

    TowerDatabase database;
};

TEST_F(ListSearchTest, TheFirstDisplayedPlaceStartingWithTheTextIsFoundInDisplayOrder)
{
    database.displayOrder = {idOf("Bexley"), idOf("\xC1" "bel"), idOf("ashby"), idOf("Aston")};
    const struct {
        std::string typed;
        std::int32_t found;
    } cases[] = {{"a", 2}, {"AST", 3}, {"\xE1", 1}, {"b", 0}, {"ashbyx", -1}, {"c", -1}};
    for (const auto& c : cases) EXPECT_EQ(firstPlaceStartingWith(database, c.typed), c.found) << c.typed;
}

TEST_F(ListSearchTest, ATowerIsFoundAtItsDisplayPositionOrNowhere)
{
    database.displayOrder = {idOf("Bexley"), idOf("Aston")};
    EXPECT_EQ(displayPositionOf(database, database.tower(idOf("Aston"))), 1);
    EXPECT_EQ(displayPositionOf(database, database.tower(idOf("ashby"))), -1);
    EXPECT_EQ(displayPositionOf(database, nullptr), -1);
}

}  // namespace
