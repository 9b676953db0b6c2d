// The tower database: its tables, the draw of ids and indexes, and the compiled file read back.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "records/draw_index.h"
#include "records/limit_reached.h"
#include "records/string_table.h"
#include "records/tower_codec.h"
#include "records/tower_directory.h"
#include "tests/support/bytes.h"

namespace {

TEST(IndexDraw, FollowsTheClassicGeneratorFromStateOne)
{
    // The well-known first outputs of the generator from seed 1.
    IndexDraw draw;
    for (std::int32_t expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
        EXPECT_EQ(draw.drawIndex(), expected);
}

TEST(IndexDraw, NeverGivesZeroAndReachesEveryIndex)
{
    // Every index must come up sooner or later, or a nearly full table could wait forever.
    IndexDraw draw;
    std::vector<bool> seen(32768, false);
    std::int32_t unseen = 32767;
    for (int i = 0; i < 2000000 && unseen > 0; ++i) {
        const std::int32_t index = draw.drawIndex();
        ASSERT_GE(index, 1);
        ASSERT_LE(index, 32767);
        if (!seen[index]) {
            seen[index] = true;
            --unseen;
        }
    }
    EXPECT_EQ(unseen, 0);
}

TEST(StringTable, AddsEachTextOnceAndNeverTheEmptyText)
{
    StringTable table;
    IndexDraw draw;
    const std::int32_t kent = table.add("Kent", draw);
    EXPECT_EQ(kent, 41);
    EXPECT_EQ(table.add("Kent", draw), kent);
    EXPECT_EQ(table.size(), 1);
    EXPECT_EQ(table.add("", draw), 0);
    EXPECT_EQ(table.size(), 1);
    EXPECT_EQ(table.add("kent", draw), 18467);  // no case folding
    EXPECT_EQ(table.text(kent), "Kent");
    EXPECT_EQ(table.text(0), "");
    EXPECT_EQ(table.text(12345), "");
}

TEST(StringTable, ReadsATableListKeepingTheFirstTextOfAnIndex)
{
    // k1 "A", k1 "B", an s item before any k would have index 0, k 40000 out of range,
    // k2 with an empty text, k3 "A" again.
    TagReader reader(bytesOf({0x0B, 1, 0x73, 'A', 0, 0x0B, 1, 0x73, 'B', 0, 0x2B, 0x40, 0x9C,
                            0x73, 'C', 0, 0x0B, 2, 0x73, 0, 0x07, 9, 0x0B, 3, 0x73, 'A', 0, 0xFF,
                            0x0B, 9}));
    StringTable table;
    table.read(reader);
    EXPECT_EQ(table.text(1), "A");
    EXPECT_EQ(table.text(2), "");
    EXPECT_EQ(table.text(3), "A");
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(reader.nextItem(), 'k');  // reading stopped at the end marker

    TagReader before(bytesOf({0x73, 'Z', 0, 0x0B, 4, 0x73, 'Y', 0, 0xFF}));
    StringTable skipped;
    skipped.read(before);
    EXPECT_EQ(skipped.size(), 1);
    EXPECT_EQ(skipped.text(4), "Y");
}

TEST(StringTable, RefusesANewTextWhenEveryIndexIsTaken)
{
    StringTable table;
    IndexDraw draw;
    for (int i = 0; i < 32767; ++i) table.add(std::to_string(i), draw);
    ASSERT_EQ(table.size(), 32767);
    EXPECT_THROW(table.add("one too many", draw), LimitReached);
    EXPECT_EQ(table.size(), 32767);
    EXPECT_NE(table.add("123", draw), 0);  // texts already there still have their index
    EXPECT_EQ(table.add("", draw), 0);
}

TEST(TowerDirectory, RefusesATowerWhenEveryIdIsTaken)
{
    TowerDirectory database;
    const ColumnMap columns = ColumnMap::fromHeader("FULL");
    std::set<TowerId> ids;
    for (int i = 0; i < 32767; ++i) ids.insert(database.addTower("", columns));
    EXPECT_EQ(ids.size(), 32767u);
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 32767);
    EXPECT_THROW(database.addTower("Kent", columns), LimitReached);
    EXPECT_EQ(database.counts().towers, 32767);
    EXPECT_EQ(database.counts().counties, 0);  // the refused line left no trace
}

TEST(TowerDirectory, AFullTableIsNamedWhenItRefusesAText)
{
    TowerDirectory database;
    for (int i = 0; i < 32767; ++i) database.webPageIndex("http://" + std::to_string(i));
    try {
        database.webPageIndex("http://new");
        FAIL() << "a text went into a full table";
    } catch (const LimitReached& limit) {
        EXPECT_NE(std::string(limit.what()).find("web address"), std::string::npos) << limit.what();
    }
    EXPECT_EQ(database.counts().webPages, 32767);
    EXPECT_NE(database.countyIndex("Kent"), 0);  // the other tables have their own indexes
}

TEST(TowerDirectory, IdenticalLinesMakeTowersThatShareTheirTexts)
{
    TowerDirectory database;
    const ColumnMap columns = ColumnMap::fromHeader("FULL\\Dedicn\\WebPage\\Place");
    const TowerId first = database.addTower("Kent\\St Mary\\http://a\\Hythe", columns);
    const TowerId second = database.addTower("Kent\\St Mary\\http://a\\Hythe", columns);
    // County, dedication, web address and the first id take the first four draws.
    EXPECT_EQ(first, 26500);
    EXPECT_EQ(second, 19169);
    const Tower& a = *database.tower(first);
    const Tower& b = *database.tower(second);
    EXPECT_EQ(a.id, first);
    EXPECT_EQ(a.county, b.county);
    EXPECT_EQ(a.dedication, b.dedication);
    EXPECT_EQ(a.webPage, b.webPage);
    const TowerDirectory::Counts counts = database.counts();
    EXPECT_EQ(counts.towers, 2);
    EXPECT_EQ(counts.counties, 1);
    EXPECT_EQ(counts.dedications, 1);
    EXPECT_EQ(counts.webPages, 1);
    EXPECT_EQ(database.tower(1), nullptr);
}

TowerDirectory sampleDatabase()
{
    std::string header;
    for (std::string_view name : sourceColumnNames) header += std::string(name) + "\\";
    const ColumnMap columns = ColumnMap::fromHeader(header);
    TowerDirectory database;
    const std::vector<std::string> lines = {
        "1\\a\\SU123456\\Hampshire\\Alton\\St Lawrence\\GU34 1AA\\\\8\\12\\2\\14\\\\Eb\\Mon 19.30\\\\http://alton",
        "2\\b\\TQ102665\\Surrey\\Esher\\Christ Church\\\\GF\\6\\5\\\\\\A\\F#\\-Wed 20.00\\UR\\",
        "",
        "3\\c\\O 153340\\Dublin\\Rathfarnham\\St Peter\\\\\\10\\40\\1\\3\\\\D\\+Sat 7.45\\\\",
        "4\\d\\\\Hampshire\\" + std::string(1500, 'L') + "\\St Peter\\\xB0\\\\\\\\\\\\\\\\Thu\\\\http://alton",
    };
    for (const std::string& line : lines) database.addTower(line, columns);
    return database;
}

void expectSameTables(const TowerDirectory& read, const TowerDirectory& written)
{
    EXPECT_EQ(read.counties(), written.counties());
    EXPECT_EQ(read.dedications(), written.dedications());
    EXPECT_EQ(read.webPages(), written.webPages());
}

// The file, written in parts side by side, lists every tower of the directory once, in
// ascending id, and the directory finds each under its id.
void expectFileListsEveryTowerOnceInAscendingId(const TowerDirectory& directory)
{
    const std::string file = directory.encode();
    TagReader reader(file);
    std::vector<Tower> listed;
    while (const std::optional<Tower> tower = readTower(reader)) listed.push_back(*tower);
    ASSERT_EQ(listed.size(), directory.towers().size());
    for (std::size_t at = 0; at < listed.size(); ++at) {
        ASSERT_EQ(listed[at], directory.towers()[at].second) << at;
        if (at > 0) {
            ASSERT_LT(listed[at - 1].id, listed[at].id) << at;
        }
        ASSERT_EQ(directory.tower(listed[at].id), &directory.towers()[at].second) << at;
    }
}

TEST(TowerDirectory, AddingLinesTogetherDrawsAsAddingThemOneByOne)
{
    const ColumnMap columns = ColumnMap::fromHeader("Place\\FULL\\Dedicn\\WebPage");
    // Enough lines to be parsed side by side where the machine has more than one processor.
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string line = "P";
        line += std::to_string(i);
        line += "\\C";
        line += std::to_string(i % 40);
        line += "\\D";
        line += std::to_string(i % 300);
        line += "\\";
        if (i % 3 == 0) line += "http://";
        if (i % 3 == 0) line += std::to_string(i);
        texts.push_back(line);
    }
    const std::vector<std::string_view> lines(texts.begin(), texts.end());

    TowerDirectory oneByOne;
    for (std::string_view line : lines) oneByOne.addTower(line, columns);
    TowerDirectory together;
    together.addTowers(lines, columns);
    EXPECT_EQ(together.towers(), oneByOne.towers());
    EXPECT_EQ(together.encode(), oneByOne.encode());

    expectFileListsEveryTowerOnceInAscendingId(together);

    // Towers added after a batch still get ids of their own.
    const TowerId later = together.addTower("late", columns);
    EXPECT_EQ(later, oneByOne.addTower("late", columns));
    EXPECT_EQ(together.counts().towers, 3001);
}

TEST(TowerDirectory, ABatchThatReachesTheLimitKeepsTheTowersBeforeIt)
{
    const ColumnMap columns = ColumnMap::fromHeader("Place");
    struct Row {
        int towersBefore;
        std::size_t batchLines;
        bool refused;
    };
    for (const Row row : {Row{0, 32767, false}, Row{0, 32768, true}, Row{0, 32770, true}, Row{1, 32766, false},
                          Row{1, 32767, true}}) {
        TowerDirectory database;
        for (int i = 0; i < row.towersBefore; ++i) database.addTower("before", columns);
        const std::vector<std::string_view> lines(row.batchLines, std::string_view("x"));
        if (row.refused)
            EXPECT_THROW(database.addTowers(lines, columns), LimitReached) << row.batchLines;
        else
            EXPECT_NO_THROW(database.addTowers(lines, columns)) << row.batchLines;
        EXPECT_EQ(database.counts().towers, 32767) << row.batchLines;
        expectFileListsEveryTowerOnceInAscendingId(database);
    }
}

TEST(TowerDirectory, ReadsBackWhatItWrote)
{
    const TowerDirectory written = sampleDatabase();
    ASSERT_EQ(written.counts().towers, 5);
    const std::string file = written.encode();
    const TowerDirectory read{TagReader(file)};
    EXPECT_EQ(read.towers(), written.towers());
    expectSameTables(read, written);
    EXPECT_EQ(read.countyName(read.towers().front().second.county),
              written.countyName(written.towers().front().second.county));
    EXPECT_EQ(read.encode(), file);
}

TEST(TowerDirectory, EmptyFilesGiveAnEmptyDatabaseAndAMissingOneIsSaid)
{
    EXPECT_EQ(TowerDirectory().encode(), bytesOf({0xFF, 0xFF, 0xFF, 0xFF}));
    // Four end markers are a whole empty directory; no bytes at all are one cut short.
    for (const std::string& file : {bytesOf({0xFF, 0xFF, 0xFF, 0xFF}), std::string()}) {
        const TowerDirectory database{TagReader(file)};
        EXPECT_TRUE(database.towers().empty());
        EXPECT_EQ(database.counts().counties + database.counts().dedications
                      + database.counts().webPages, 0);
        EXPECT_EQ(database.damaged(), file.empty());
    }
    try {
        const TowerDirectory missing(std::filesystem::path("/nonexistent-folder/vesk.dat"));
        FAIL() << "a missing file was read";
    } catch (const FileReadError& error) {
        EXPECT_EQ(error.reason(), FileReadError::Reason::Missing);
    }
}

TEST(TowerDirectory, LaterRecordTakesTheIdAndImpossibleIdsAreLeftOut)
{
    // Tower 5 twice; a tower numbered -1 (long form) and one numbered 0 (bare k item, 0x8B).
    const TowerDirectory database{TagReader(bytesOf({0x0B, 5, 0x02, 6, 0x0B, 5, 0x02, 8, 0x4B, 0xFF,
                                                  0xFF, 0xFF, 0xFF, 0x02, 3, 0x8B, 0x02, 4,
                                                  0x2B, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}))};
    ASSERT_EQ(database.towers().size(), 1u);
    EXPECT_EQ(database.tower(5)->bells, 8);
}

// Each field of a tower read from a cut file is either what was written or, for the one record
// the cut ran through, still empty: never a value made up from half a payload.
void expectFieldsFrom(const Tower& read, const Tower& written)
{
    const auto either = [](const auto& value, const auto& original, const auto& empty) {
        return value == original || value == empty;
    };
    EXPECT_EQ(read.id, written.id);
    EXPECT_TRUE(either(read.place, written.place, std::string()));
    EXPECT_TRUE(either(read.postcode, written.postcode, std::string()));
    EXPECT_TRUE(either(read.county, written.county, 0));
    EXPECT_TRUE(either(read.dedication, written.dedication, 0));
    EXPECT_TRUE(either(read.webPage, written.webPage, 0));
    EXPECT_TRUE(either(read.bells, written.bells, 0));
    EXPECT_TRUE(either(read.weight, written.weight, 0));
    EXPECT_TRUE(either(read.note, written.note, 0));
    EXPECT_TRUE(either(read.practiceNight, written.practiceNight, 0));
    EXPECT_TRUE(either(read.practiceTime, written.practiceTime, 0));
    EXPECT_TRUE(either(read.position.x, written.position.x, 0));
    EXPECT_TRUE(either(read.position.y, written.position.y, 0));
    EXPECT_TRUE(either(read.groundFloor, written.groundFloor, false));
    EXPECT_TRUE(either(read.unringable, written.unringable, false));
    EXPECT_TRUE(either(read.approxWeight, written.approxWeight, false));
}

TEST(TowerDirectory, AFileCutShortKeepsWhatWasCompleteBeforeTheCut)
{
    const TowerDirectory written = sampleDatabase();
    const std::string file = written.encode();

    // Where each tower's record ends in the file.
    std::vector<std::size_t> recordEnds;
    TagWriter towersOnly;
    for (const auto& [id, tower] : written.towers()) {
        writeTower(tower, towersOnly);
        recordEnds.push_back(towersOnly.bytes().size());
    }
    ASSERT_EQ(file.compare(0, towersOnly.bytes().size(), towersOnly.bytes()), 0);

    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
        SCOPED_TRACE(cut);
        const TowerDirectory read{TagReader(file.substr(0, cut))};
        std::size_t whole = 0;
        for (std::size_t end : recordEnds) whole += end <= cut ? 1 : 0;
        ASSERT_GE(read.towers().size(), whole);
        ASSERT_LE(read.towers().size(), whole + 1);
        std::size_t index = 0;
        for (const auto& [id, tower] : read.towers()) {
            ASSERT_TRUE(written.tower(id));
            if (index++ < whole) EXPECT_EQ(tower, *written.tower(id));
            else expectFieldsFrom(tower, *written.tower(id));
        }
        const std::pair<const StringTable*, const StringTable*> tables[] = {
            {&read.counties(), &written.counties()},
            {&read.dedications(), &written.dedications()},
            {&read.webPages(), &written.webPages()}};
        for (const auto& [readTable, writtenTable] : tables)
            readTable->forEachEntry([&, table = writtenTable](std::int32_t tableIndex, std::string_view text) {
                EXPECT_EQ(text, table->text(tableIndex)) << tableIndex;
            });
    }
}

}  // namespace
