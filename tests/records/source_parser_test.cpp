// Splitting source lines, the header's column map and the parse of one line into a tower.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/source_parser.h"
#include "records/tower_directory.h"

namespace {

using Columns = std::vector<std::string_view>;

TEST(SourceParser, SplitsOnBackslashes)
{
    EXPECT_EQ(splitColumns("a\\b"), (Columns{"a", "b"}));
    EXPECT_EQ(splitColumns("a\\\\b"), (Columns{"a", "", "b"}));
    EXPECT_EQ(splitColumns("a\\"), (Columns{"a"}));
    EXPECT_EQ(splitColumns("a\\\\"), (Columns{"a", ""}));
    EXPECT_EQ(splitColumns("\\a"), (Columns{"", "a"}));
    EXPECT_EQ(splitColumns(""), Columns{});
    EXPECT_EQ(splitColumns(" x \\ y\r"), (Columns{" x ", " y\r"}));
    // Longer lines are searched eight bytes at a time: separators at either end of a word, and
    // bytes one bit away from a separator beside them.
    EXPECT_EQ(splitColumns("abcdefg\\hijklmno\\\xDC]\\\\]z]]]]]]]"),
              (Columns{"abcdefg", "hijklmno", "\xDC]", "", "]z]]]]]]]"}));
    // and 64 at a time: separators either side of the 64th and 128th bytes.
    const std::string a(63, 'a'), b(63, 'b');
    EXPECT_EQ(splitColumns(a + "\\\\" + b + "\\c"), (Columns{a, "", b, "c"}));
    EXPECT_EQ(splitColumns(a + "x\\" + b), (Columns{a + "x", b}));
    EXPECT_EQ(splitColumns(a + "x\\"), Columns{a + "x"});
}

TEST(SourceParser, ColumnMapMatchesWholeNamesAndTakesTheLastOfRepeats)
{
    const ColumnMap map = ColumnMap::fromHeader("Place\\Bells\\place\\Note \\Place\\x\\WebPage\r");
    EXPECT_EQ(map.position(4), 4);   // Place, second occurrence
    EXPECT_EQ(map.position(8), 1);   // Bells
    EXPECT_EQ(map.position(13), -1); // "Note " is not Note
    EXPECT_EQ(map.position(16), -1); // the carriage return spoils the last name
    EXPECT_EQ(map.position(0), -1);

    const ColumnMap empty = ColumnMap::fromHeader("");
    for (int name = 0; name < 17; ++name) EXPECT_EQ(empty.position(name), -1);

    const ColumnMap::KnownColumns line = map.known("only\\two");
    EXPECT_EQ(line[8], "two");
    EXPECT_EQ(line[4], "");  // beyond the line's columns
    EXPECT_EQ(line[13], "");
    EXPECT_EQ(empty.known("a\\b"), ColumnMap::KnownColumns{});
}

std::string fullHeader()
{
    std::string header;
    for (std::string_view name : sourceColumnNames) {
        if (!header.empty()) header += '\\';
        header += name;
    }
    return header;
}

TEST(SourceParser, ParsesEveryColumnOfAFullLine)
{
    const ColumnMap columns = ColumnMap::fromHeader(fullHeader());
    TowerDirectory database;
    const Tower tower = parseLine(
        "17\\X1\\SU123456\\Hampshire\\Ab\\St Mary\\SO1 1AA\\GF\\8 (of 10)\\12\\2\\14\\~\\Eb\\"
        "-Wed 19.30\\ \\http://example.org/t",
        columns, database.sourceTables());
    EXPECT_EQ(tower.position, (Position{4123, 1456}));
    EXPECT_EQ(database.countyName(tower.county), "Hampshire");
    EXPECT_EQ(tower.place, "Ab");
    EXPECT_EQ(database.dedicationText(tower.dedication), "St Mary");
    EXPECT_EQ(tower.postcode, "SO1 1AA");
    EXPECT_TRUE(tower.groundFloor);
    EXPECT_EQ(tower.bells, 8);
    EXPECT_EQ(tower.weight, 1414);  // 12 cwt 2 qr 14 lb
    EXPECT_TRUE(tower.approxWeight);
    EXPECT_EQ(tower.note, 15);
    EXPECT_EQ(tower.practiceNight, 12);
    EXPECT_EQ(tower.practiceTime, 1170);
    EXPECT_TRUE(tower.unringable);  // a single space counts
    EXPECT_EQ(database.webAddress(tower.webPage), "http://example.org/t");
    EXPECT_EQ(tower.id, 0);
    // County, dedication and web address drew the generator's first three numbers, in that order.
    EXPECT_EQ(tower.county, 41);
    EXPECT_EQ(tower.dedication, 18467);
    EXPECT_EQ(tower.webPage, 6334);
}

TEST(SourceParser, PlaceAndBellsOnly)
{
    const ColumnMap columns = ColumnMap::fromHeader("Place\\Bells");
    TowerDirectory database;
    const Tower tower = parseLine("Little Snoring\\8", columns, database.sourceTables());
    Tower expected;
    expected.place = "Little Snoring";
    expected.bells = 8;
    EXPECT_EQ(tower, expected);
    EXPECT_EQ(database.counts().counties, 0);
}

TEST(SourceParser, ShortLinesAndEmptyColumnsLeaveFieldsEmpty)
{
    const ColumnMap columns = ColumnMap::fromHeader(fullHeader());
    TowerDirectory database;
    EXPECT_EQ(parseLine("", columns, database.sourceTables()), Tower{});
    EXPECT_EQ(parseLine("1\\2\\SU1234", columns, database.sourceTables()), Tower{});  // short reference: none
    const Tower shortLine = parseLine("1\\2\\SU123456\\Kent", columns, database.sourceTables());
    EXPECT_EQ(shortLine.position, (Position{4123, 1456}));
    EXPECT_NE(shortLine.county, 0);
    EXPECT_EQ(shortLine.place, "");
    EXPECT_EQ(database.counts().counties, 1);
    EXPECT_EQ(database.counts().dedications, 0);
}

TEST(SourceParser, JoinsTheThreeWeightColumnsAsCwtQrLb)
{
    const ColumnMap columns = ColumnMap::fromHeader("cwt\\qr\\lb");
    TowerDirectory database;
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"12\\2\\14", 1414},
        {"12\\\\", 1344},
        {"12\\\\14", 1344},  // "12--14": without the quarters the pounds are no number either
        {"12", 1344},
        {"12&#190;\\\\", 1428},
        {"0\\3\\27", 111},
        {"\\\\", 0},
    };
    for (const auto& [line, pounds] : cases)
        EXPECT_EQ(parseLine(line, columns, database.sourceTables()).weight, pounds) << line;
}

TEST(SourceParser, CarriageReturnStaysInTheLastColumn)
{
    const ColumnMap columns = ColumnMap::fromHeader("Bells\\Place\r");
    TowerDirectory database;
    const Tower tower = parseLine("6\\Thorpe\r", columns, database.sourceTables());
    EXPECT_EQ(tower.bells, 6);
    EXPECT_EQ(tower.place, "");  // "Place\r" names no known column

    const ColumnMap placeLast = ColumnMap::fromHeader("Bells\\Place\\Dedicn");
    EXPECT_EQ(parseLine("6\\Thorpe\r", placeLast, database.sourceTables()).place, "Thorpe\r");
}

}  // namespace
