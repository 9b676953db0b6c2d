#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "document/archive.h"
#include "document/document_file.h"
#include "query/tower_identity.h"
#include "query/value_owners.h"
#include "records/source_parser.h"
#include "records/tower_directory.h"

// A ringer's values follow their towers when the yearly directory is compiled again and every id
// is drawn afresh: the sample directory, edited as a new year's might be, each edit compiled.

namespace {

std::vector<std::string> sampleLines()
{
    std::ifstream in(std::string(BELFRIX_SOURCE_DIR) + "/data/vesk.txt", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The directory of the lines (the first is the header) and the id each tower line got.
struct Compiled {
    TowerDirectory directory;
    std::vector<TowerId> idOfLine;  // by line, the header's entry unused
};

Compiled compile(const std::vector<std::string>& lines)
{
    Compiled compiled;
    const ColumnMap columns = ColumnMap::fromHeader(lines.front());
    compiled.idOfLine.push_back(0);
    for (std::size_t line = 1; line < lines.size(); ++line)
        compiled.idOfLine.push_back(compiled.directory.addTower(lines[line], columns));
    return compiled;
}

// The sample's columns: Index, ExpRef, NG, FULL, Place, Dedicn, Postcode, GF, Bells, ...
constexpr std::size_t gridColumn = 2;
constexpr std::size_t bellsColumn = 8;

std::vector<std::string> columnsOf(const std::string& line)
{
    std::vector<std::string> columns;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find('\\', start)) != std::string::npos; start = end + 1)
        columns.push_back(line.substr(start, end - start));
    columns.push_back(line.substr(start));
    return columns;
}

std::string withColumn(const std::string& line, std::size_t column, const std::string& text)
{
    std::vector<std::string> columns = columnsOf(line);
    columns.resize(std::max(columns.size(), column + 1));
    columns[column] = text;
    std::string joined = columns.front();
    for (std::size_t i = 1; i < columns.size(); ++i) (joined += '\\') += columns[i];
    return joined;
}

// A line whose place, county and dedication another line shares, and that other line.
std::pair<std::size_t, std::size_t> namesakes(const std::vector<std::string>& lines)
{
    std::map<std::vector<std::string>, std::size_t> seen;
    for (std::size_t line = 1; line < lines.size(); ++line) {
        std::vector<std::string> columns = columnsOf(lines[line]);
        columns.resize(std::max<std::size_t>(columns.size(), 6));  // short lines end early
        const std::vector<std::string> name(columns.begin() + 3, columns.begin() + 6);
        if (const auto found = seen.find(name); found != seen.end()) return {found->second, line};
        seen.emplace(name, line);
    }
    return {0, 0};
}

class ValuesFollowTowers : public ::testing::Test {
protected:
    ValuesFollowTowers()
    {
        const auto [namesake, other] = namesakes(lines);
        valued = {1, 2, 3, 250, 2500, namesake, other, lines.size() - 1};
        fields[0] = UserField{"Line", FieldType::Number, {}, {}};
        fields[1] = UserField{"Remark", FieldType::String, {}, {}};
        for (const std::size_t line : valued) {
            fields[0].numbers.set(before.idOfLine[line], static_cast<std::int32_t>(line));
            fields[1].texts.set(before.idOfLine[line], "line " + std::to_string(line));
        }
    }

    // The document saved against `from`, opened against `to`.
    DocumentContents reopened(const TowerDirectory& from, const UserFieldSlots& slots,
                              const SetAsideTowers& setAside = {}) const
    {
        const ValueOwnership ownership{valueOwners(slots, from), setAside};
        return decodeDocument(encodeDocument("TQ102665", 50000, slots, ownership));
    }

    static UserFieldSlots slotsOf(const DocumentContents& contents)
    {
        UserFieldSlots slots;
        std::copy(contents.fields.begin(), contents.fields.end(), slots.begin());
        return slots;
    }

    // Every value of the original line is on the tower of that line's identity, in both fields.
    void expectOnTheirTowers(const UserFieldSlots& slots, const TowerDirectory& directory,
                             const std::vector<std::size_t>& goneLines, const std::string& edit) const
    {
        const TowersByName beforeNames(before.directory);
        const TowersByName names(directory);
        for (const std::size_t line : valued) {
            if (std::find(goneLines.begin(), goneLines.end(), line) != goneLines.end()) continue;
            const TowerIdentity identity = beforeNames.identityOf(*before.directory.tower(before.idOfLine[line]));
            int found = 0;
            for (const auto& [id, tower] : directory.towers()) {
                const std::int32_t* number = slots[0].numbers.find(id);
                if (number == nullptr || *number != static_cast<std::int32_t>(line)) continue;
                ++found;
                TowerIdentity now = names.identityOf(tower);
                now.onlyOfItsName = identity.onlyOfItsName;
                EXPECT_EQ(now, identity) << edit << ", line " << line;
                EXPECT_EQ(*slots[1].texts.find(id), "line " + std::to_string(line)) << edit;
            }
            EXPECT_EQ(found, 1) << edit << ", line " << line;
        }
    }

    const std::vector<std::string> lines = sampleLines();
    const Compiled before = compile(lines);
    std::vector<std::size_t> valued;
    UserFieldSlots fields;
};

TEST_F(ValuesFollowTowers, AfterEachEditOfTheDirectoryAndBackAgain)
{
    struct Edit {
        std::string name;
        std::function<void(std::vector<std::string>&)> apply;
        std::vector<std::size_t> gone;  // valued lines no longer in the directory
        bool idsChange;
    };
    const std::size_t deleted = 250;
    const std::vector<Edit> edits = {
        {"a line inserted at the top",
         [](auto& l) { l.insert(l.begin() + 1, "\\\\TQ500500\\Kent\\Newchurch\\S Anne\\\\\\6"); }, {}, true},
        {"a valued line deleted", [](auto& l) { l.erase(l.begin() + deleted); }, {deleted}, true},
        {"two valued lines swapped", [](auto& l) { std::swap(l[2], l[2500]); }, {}, true},
        {"a valued tower's bells changed", [](auto& l) { l[3] = withColumn(l[3], bellsColumn, "12"); }, {}, false},
    };
    for (const Edit& edit : edits) {
        std::vector<std::string> editedLines = lines;
        edit.apply(editedLines);
        const Compiled after = compile(editedLines);

        const DocumentContents contents = reopened(before.directory, fields);
        ASSERT_TRUE(contents.ownership) << edit.name;
        UserFieldSlots slots = slotsOf(contents);
        SetAsideTowers setAside = contents.ownership->setAside;
        const ReattachmentReport report =
            reattachValues(slots, setAside, contents.ownership->owners, true, after.directory);
        expectOnTheirTowers(slots, after.directory, edit.gone, edit.name);
        EXPECT_EQ(report.movedValues > 0, edit.idsChange) << edit.name;
        ASSERT_EQ(setAside.size(), edit.gone.size()) << edit.name;
        ASSERT_EQ(report.setAside.size(), edit.gone.size()) << edit.name;
        for (std::size_t k = 0; k < edit.gone.size(); ++k) {
            const TowerId key = firstSetAsideKey + static_cast<TowerId>(k);
            EXPECT_EQ(*slots[0].numbers.find(key), static_cast<std::int32_t>(edit.gone[k])) << edit.name;
            EXPECT_EQ(report.setAside[k].reason, SetAsideReason::NotInDirectory);
            EXPECT_EQ(report.setAside[k].values, 2);
            EXPECT_NE(reattachmentText(report).find(report.setAside[k].tower + ": 2 values\n"),
                      std::string::npos) << reattachmentText(report);
        }

        // Saved against the edited directory and opened against the old one: every value is back
        // on its tower, a deleted tower's among them.
        const DocumentContents back = reopened(after.directory, slots, setAside);
        UserFieldSlots backSlots = slotsOf(back);
        SetAsideTowers backAside = back.ownership->setAside;
        const ReattachmentReport backReport =
            reattachValues(backSlots, backAside, back.ownership->owners, true, before.directory);
        expectOnTheirTowers(backSlots, before.directory, {}, edit.name + ", back");
        EXPECT_TRUE(backAside.empty()) << edit.name;
        EXPECT_TRUE(backReport.setAside.empty()) << edit.name;
    }
}

TEST_F(ValuesFollowTowers, ADocumentWithoutTheRecordIsReadByIdAsBefore)
{
    const DocumentContents contents = decodeDocument(encodeDocument("TQ102665", 50000, fields));
    EXPECT_FALSE(contents.ownership);
    EXPECT_EQ(contents.fields[0].numbers, fields[0].numbers);
    EXPECT_EQ(contents.fields[1].texts, fields[1].texts);
}

TEST_F(ValuesFollowTowers, TheOwnershipRecordFollowsTheFieldsAndLeavesThemAsTheyWere)
{
    const ValueOwnership ownership{valueOwners(fields, before.directory), {}};
    const std::string plain = encodeDocument("TQ102665", 50000, fields);
    const std::string withOwners = encodeDocument("TQ102665", 50000, fields, ownership);
    ASSERT_GT(withOwners.size(), plain.size());
    EXPECT_EQ(withOwners.substr(0, plain.size()), plain);
    EXPECT_EQ(decodeDocument(withOwners).ownership, ownership);
    EXPECT_THROW(decodeDocument(withOwners + "junk"), ArchiveFormatError);
    // With no value to name, nothing is added.
    EXPECT_EQ(encodeDocument("TQ102665", 50000, UserFieldSlots{}, ownership).size(), 21u);
}

TEST_F(ValuesFollowTowers, AValueThatCouldBelongToEitherOfTwoTowersIsSetAside)
{
    // The namesakes lose their grid positions, and the one tower of its name becomes two.
    const std::size_t namesake = valued[5];
    const std::size_t other = valued[6];
    const std::size_t single = valued[4];
    std::vector<std::string> editedLines = lines;
    for (const std::size_t line : {namesake, other}) editedLines[line] = withColumn(lines[line], gridColumn, "");
    editedLines[single] = withColumn(lines[single], gridColumn, "SV000200");
    editedLines.push_back(withColumn(lines[single], gridColumn, "SV000100"));
    const Compiled after = compile(editedLines);

    DocumentContents contents = reopened(before.directory, fields);
    UserFieldSlots slots = slotsOf(contents);
    SetAsideTowers setAside = contents.ownership->setAside;
    const ReattachmentReport report = reattachValues(slots, setAside, contents.ownership->owners, true, after.directory);
    std::vector<std::int32_t> setAsideLines;
    for (std::size_t k = 0; k < setAside.size(); ++k)
        setAsideLines.push_back(*slots[0].numbers.find(firstSetAsideKey + static_cast<TowerId>(k)));
    std::sort(setAsideLines.begin(), setAsideLines.end());
    std::vector<std::int32_t> expected{static_cast<std::int32_t>(single), static_cast<std::int32_t>(namesake),
                                       static_cast<std::int32_t>(other)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(setAsideLines, expected);
    // A tower that lost its grid position is gone from where it stood; the one tower that
    // became two could be either.
    int ambiguous = 0;
    for (const SetAsideNote& note : report.setAside) ambiguous += note.reason == SetAsideReason::Ambiguous ? 1 : 0;
    EXPECT_EQ(ambiguous, 1);
    EXPECT_NE(reattachmentText(report).find("belong to more than one tower of their name"), std::string::npos);
}

TEST(ValueOwners, ATowerAloneOfItsNameIsFoundAtACorrectedGridPosition)
{
    const std::vector<std::string> before = {"NG\\FULL\\Place\\Dedicn", "TQ102665\\Kent\\Aston\\S Mary",
                                             "TQ202665\\Kent\\Bexley\\S John", "TQ302665\\Kent\\Bexley\\S John"};
    std::vector<std::string> after = before;
    after.insert(after.begin() + 1, "TQ402665\\Kent\\Chart\\S Anne");
    after[2] = "TQ102667\\Kent\\Aston\\S Mary";    // corrected, alone of its name: found
    after[3] = "TQ202667\\Kent\\Bexley\\S John";   // corrected, with a namesake: not found
    const Compiled from = compile(before);
    const Compiled to = compile(after);
    UserFieldSlots slots;
    slots[0] = UserField{"N", FieldType::Number, {{from.idOfLine[1], 1}, {from.idOfLine[2], 2}, {from.idOfLine[3], 3}}, {}};
    SetAsideTowers setAside;
    const ReattachmentReport report = reattachValues(slots, setAside, valueOwners(slots, from.directory), true, to.directory);
    EXPECT_EQ(*slots[0].numbers.find(to.idOfLine[2]), 1);
    EXPECT_EQ(*slots[0].numbers.find(to.idOfLine[4]), 3);
    ASSERT_EQ(setAside.size(), 1u);
    EXPECT_EQ(*slots[0].numbers.find(firstSetAsideKey), 2);
    ASSERT_EQ(report.setAside.size(), 1u);
    EXPECT_EQ(report.setAside[0].tower, "Bexley, Kent, S John (TQ202665)");
    EXPECT_EQ(report.setAside[0].reason, SetAsideReason::NotInDirectory);
}

// Two towers of one name at different places; the first leaves the directory, then comes back
// as the second leaves (or is named apart). Its value was kept aside, and the tower standing
// where it stood may be its own: the second's value is not put on it as if moved there.
TEST(ValueOwners, ANamesakeIsNotTakenToHaveMovedWhereAKeptAsideValuesTowerStands)
{
    const std::string header = "NG\\FULL\\Place\\Dedicn\\Bells";
    const std::string alpha = "TQ102665\\Surrey\\Alpha\\S Mary\\8";
    const std::string six = "TQ150650\\Surrey\\Delta\\S Peter\\6";
    const std::string five = "TQ160660\\Surrey\\Delta\\S Peter\\5";
    const Compiled first = compile({header, alpha, six, five});
    const Compiled second = compile({header, alpha, five});
    const std::vector<std::vector<std::string>> thirds = {
        {header, alpha, six}, {header, alpha, six, "TQ160660\\Surrey\\Delta Green\\S Peter\\5"}};
    for (const auto& lines : thirds) {
        const Compiled third = compile(lines);
        UserFieldSlots slots;
        slots[0] = UserField{"Bells", FieldType::Number, {{first.idOfLine[2], 6}, {first.idOfLine[3], 5}}, {}};
        SetAsideTowers setAside;
        // Saved with each directory, then opened with the next.
        for (const auto& [savedWith, openedWith] : {std::pair{&first, &second}, std::pair{&second, &third}}) {
            const DocumentContents saved = decodeDocument(encodeDocument(
                "TQ102665", 50000, slots, {valueOwners(slots, savedWith->directory, setAside), setAside}));
            std::copy(saved.fields.begin(), saved.fields.end(), slots.begin());
            setAside = saved.ownership->setAside;
            reattachValues(slots, setAside, saved.ownership->owners, true, openedWith->directory);
        }
        std::size_t shown = 0;
        for (const auto& [id, tower] : third.directory.towers()) {
            const std::int32_t* value = slots[0].numbers.find(id);
            if (value == nullptr) continue;
            ++shown;
            EXPECT_EQ(*value, tower.bells) << lines.back() << ": a tower's value on its namesake";
        }
        EXPECT_EQ(shown + setAside.size(), 2u) << lines.back();
    }
}

TEST(ValueOwners, AValueOfTwinsStaysAsideWhenOneTwinGetsAValueOfItsOwn)
{
    const std::vector<std::string> before = {"NG\\FULL\\Place\\Dedicn", "TQ120620\\Kent\\Cray\\S Paul"};
    const std::vector<std::string> after = {"NG\\FULL\\Place\\Dedicn", "TQ402665\\Kent\\Chart\\S Anne",
                                            before[1], before[1]};
    const Compiled from = compile(before);
    const Compiled to = compile(after);
    UserFieldSlots slots;
    slots[0] = UserField{"N", FieldType::Number, {{from.idOfLine[1], 1}}, {}};
    SetAsideTowers setAside;
    reattachValues(slots, setAside, valueOwners(slots, from.directory), true, to.directory);
    ASSERT_EQ(setAside.size(), 1u);

    // The user gives the first twin a value, saves, and opens the document again.
    slots[0].numbers.set(to.idOfLine[2], 2);
    const DocumentContents saved = decodeDocument(
        encodeDocument("TQ102665", 50000, slots, {valueOwners(slots, to.directory), setAside}));
    std::copy(saved.fields.begin(), saved.fields.end(), slots.begin());
    setAside = saved.ownership->setAside;
    const ReattachmentReport report = reattachValues(slots, setAside, saved.ownership->owners, true, to.directory);
    EXPECT_EQ(*slots[0].numbers.find(to.idOfLine[2]), 2);
    EXPECT_EQ(slots[0].numbers.find(to.idOfLine[3]), nullptr);
    ASSERT_EQ(report.setAside.size(), 1u);
    EXPECT_EQ(report.setAside[0].reason, SetAsideReason::Ambiguous);
}

// Twins (two rings in one church) are told apart by their numbers alone, and only while all of
// them still stand under the numbers they had; otherwise their values are kept aside, and stay
// aside.
TEST(ValueOwners, TwinsKeepTheirValuesOnlyWhileTheirNumbersStand)
{
    const std::string header = "NG\\FULL\\Place\\Dedicn\\Bells";
    const std::string aston = "SU100100\\Kent\\Aston\\S John\\5";
    const std::string ten = "SU300300\\Kent\\Twinford\\S John\\10";
    const std::string six = "SU300300\\Kent\\Twinford\\S John\\6";
    const std::string chart = "SU500500\\Kent\\Chart\\S Anne\\8";
    const std::string sixApart = "SU300300\\Kent\\Twinford\\S John (back ring)\\6";
    const std::string tenMoved = "SU300301\\Kent\\Twinford\\S John\\10";
    struct Row {
        std::string edit;
        std::vector<std::string> after;
        std::vector<std::int32_t> valuedRings;  // by bells
        std::size_t setAside;
    };
    const std::vector<Row> rows = {
        {"unchanged", {header, aston, ten, six}, {10, 6}, 0},
        {"unchanged, one valued", {header, aston, ten, six}, {6}, 0},
        {"a line added after them", {header, aston, ten, six, chart}, {10, 6}, 0},
        {"the line before them removed", {header, ten, six}, {10, 6}, 2},
        {"the line before them removed, one valued", {header, ten, six}, {10}, 1},
        {"a line added before them, one valued", {header, chart, aston, ten, six}, {6}, 1},
        {"the other ring removed", {header, aston, ten}, {10}, 1},
        {"the other ring named apart", {header, aston, ten, sixApart}, {10}, 1},
        {"the valued ring named apart", {header, aston, ten, sixApart}, {6}, 1},
        {"the valued ring's grid reference corrected", {header, aston, tenMoved, six}, {10}, 1},
    };
    const Compiled from = compile({header, aston, ten, six});
    for (const Row& row : rows) {
        UserFieldSlots slots;
        slots[0] = UserField{"Bells", FieldType::Number, {}, {}};
        for (const std::size_t line : {2, 3}) {
            const std::int32_t bells = from.directory.tower(from.idOfLine[line])->bells;
            if (std::find(row.valuedRings.begin(), row.valuedRings.end(), bells) != row.valuedRings.end())
                slots[0].numbers.set(from.idOfLine[line], bells);
        }
        // Saved against the directory before, then opened against the edited one twice, saved
        // in between: what was kept aside the first time stays aside.
        SetAsideTowers setAside;
        const Compiled to = compile(row.after);
        for (const TowerDirectory* savedWith : {&from.directory, &to.directory}) {
            const DocumentContents saved = decodeDocument(
                encodeDocument("TQ102665", 50000, slots, {valueOwners(slots, *savedWith, setAside), setAside}));
            std::copy(saved.fields.begin(), saved.fields.end(), slots.begin());
            setAside = saved.ownership->setAside;
            reattachValues(slots, setAside, saved.ownership->owners, true, to.directory);
            EXPECT_EQ(setAside.size(), row.setAside) << row.edit;
            std::size_t shown = 0;
            for (const auto& [id, tower] : to.directory.towers()) {
                const std::int32_t* value = slots[0].numbers.find(id);
                if (value == nullptr) continue;
                ++shown;
                EXPECT_EQ(*value, tower.bells) << row.edit << ": a ring's value on the other ring";
            }
            EXPECT_EQ(shown + row.setAside, row.valuedRings.size()) << row.edit;
        }
    }
}

TEST(ValueOwners, AValueUnderANumberNoTowerHeldIsSetAsideOnceItsOwnersAreKnown)
{
    // Chart takes Aston's old number and Aston Bury's; Bury's new number held no tower before,
    // yet a value lay under it, as an older document's can.
    const std::vector<std::string> before = {"NG\\FULL\\Place\\Dedicn", "TQ102665\\Kent\\Aston\\S Mary",
                                             "TQ202665\\Kent\\Bury\\S John"};
    const std::vector<std::string> after = {before[0], "TQ402665\\Kent\\Chart\\S Anne", before[1], before[2]};
    const Compiled from = compile(before);
    const Compiled to = compile(after);
    ASSERT_EQ(from.directory.tower(to.idOfLine[3]), nullptr);
    for (const bool ownersComplete : {true, false}) {
        UserFieldSlots slots;
        slots[0] = UserField{"N", FieldType::Number, {{from.idOfLine[1], 1}, {to.idOfLine[3], 9}}, {}};
        SetAsideTowers setAside;
        const ReattachmentReport report =
            reattachValues(slots, setAside, valueOwners(slots, from.directory), ownersComplete, to.directory);
        EXPECT_EQ(*slots[0].numbers.find(to.idOfLine[2]), 1);
        if (ownersComplete) {
            EXPECT_EQ(slots[0].numbers.find(to.idOfLine[3]), nullptr);  // not on Bury
            ASSERT_EQ(report.setAside.size(), 1u);
            EXPECT_EQ(report.setAside[0].reason, SetAsideReason::Unknown);
        } else {
            EXPECT_EQ(*slots[0].numbers.find(to.idOfLine[3]), 9);  // read by its number, as before, and said
            EXPECT_EQ(report.shownByNumber, 1);
            EXPECT_TRUE(reattachmentText(report).starts_with("1 value is under a tower number that had no tower"))
                << reattachmentText(report);
        }
    }
}

TEST(ValueOwners, TheReportNamesTenTowersOfEachKindAndCountsTheRest)
{
    ReattachmentReport report;
    report.movedValues = 1;
    for (int i = 0; i < 12; ++i)
        report.setAside.push_back({"Tower " + std::to_string(i), SetAsideReason::NotInDirectory, 1});
    report.setAside.push_back({"Tower 11", SetAsideReason::NotInDirectory, 1});  // a namesake
    report.setAside.push_back({"Twin", SetAsideReason::Ambiguous, 2});
    report.setAside.push_back({"Twin", SetAsideReason::Ambiguous, 1});
    const std::string text = reattachmentText(report);
    EXPECT_EQ(text.substr(0, text.find('\n')), "1 value moved to its tower's new number in this directory.");
    EXPECT_NE(text.find("13 values belong to towers not found in this directory by their names and grid references, and "
                        "are kept with the document:\n"
                        "  Tower 0\n"),
              std::string::npos);
    EXPECT_NE(text.find("  Tower 9\n  and 3 more towers\n"), std::string::npos);
    EXPECT_EQ(text.find("Tower 10"), std::string::npos);
    EXPECT_NE(text.find("3 values could each belong to more than one tower of their name and are kept "
                        "with the document:\n  Twin: 3 values of 2 towers of that name\n"),
              std::string::npos);
    EXPECT_EQ(reattachmentText({}), "");
}

}  // namespace
