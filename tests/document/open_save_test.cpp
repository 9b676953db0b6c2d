#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "document/command_ids.h"
#include "document/document_file.h"
#include "document/vesk_doc.h"
#include "query/user_fields.h"
#include "tests/document/doc_test_support.h"
#include "tests/support/special_files.h"

using namespace docfixture;
using namespace std::string_literals;
using Calls = std::vector<std::string>;

namespace {

std::string int32Bytes(std::int32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF));
    return bytes;
}

// The 21 bytes of a document with the default centre and radius and no named field.
const std::string defaultDocument =
    "\x08TQ102665"s + "\x00\x00\x00\x00\x00\x6A\xE8\x40"s + int32Bytes(0);

class OpenSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat");
    }

    // Everything a failed open must leave alone.
    struct Snapshot {
        std::string centreText;
        double radius;
        bool needsCentring;
        Position centre;
        std::size_t displayed;
        std::vector<std::string> names;
        std::vector<TowerValues<std::int32_t>> numbers;
        std::vector<TowerValues<std::string>> texts;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const
    {
        Snapshot s{doc.centreText(), doc.radius(), doc.needsCentring(),
                   doc.database() ? doc.database()->centre : Position{},
                   doc.database() ? doc.database()->displayOrder.size() : 0, {}, {}, {}};
        for (const UserField& field : doc.session().userFields().slots()) {
            s.names.push_back(field.name);
            s.numbers.push_back(field.numbers);
            s.texts.push_back(field.texts);
        }
        return s;
    }

    TemporaryFolder folder;
    RecordingWindows windows;
    VeskDoc doc{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
};

TEST_F(OpenSaveTest, SaveWritesTheTwentyOneByteDocument)
{
    doc.newDocument();
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    EXPECT_EQ(readAll(folder / "a.bx0"), defaultDocument);
    // Only the document file is left in the folder: no temporary file stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(OpenSaveTest, ADocumentWithAccentedLettersInItsNameSavesAndOpens)
{
    // The name reaches the file system whole; on Windows that takes the wide-character calls.
    const std::filesystem::path name(u8"\u00C1th \u00D3 D\u00FAin.bx0");
    doc.newDocument();
    doc.applyMapOptions({ReferenceSystem::OS, "SU123456", 1562.5f, webMapStreetmap});
    ASSERT_TRUE(doc.saveDocument(folder.path() / name));
    ASSERT_TRUE(doc.saveDocument(folder.path() / name));  // replacing itself
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, webMapStreetmap});
    ASSERT_TRUE(doc.openDocument(folder.path() / name));
    EXPECT_EQ(doc.centreText(), "SU123456");
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::filesystem::path>{"vesk.dat", name}));
}

TEST_F(OpenSaveTest, SaveAndOpenBringBackCentreRadiusAndPackedFields)
{
    doc.newDocument();
    doc.applyMapOptions({ReferenceSystem::OS, "SU123456", 1562.5f, webMapStreetmap});
    doc.userFields()[2] = UserField{"Visited", FieldType::Date, {{30000, 146097}, {5, 1}}, {}};
    doc.userFields()[5] = UserField{"Notes", FieldType::String, {}, {{7, std::string(300, 'n')}}};
    doc.userFields()[7].numbers[3] = 3;  // unnamed: not stored
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    const std::string saved = readAll(folder / "a.bx0");

    doc.userFields() = UserFields{};
    doc.userFields()[9] = UserField{"Left over", FieldType::Number, {{1, 1}}, {}};
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, webMapStreetmap});
    doc.takeNeedsCentring();
    windows.calls.clear();

    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    EXPECT_EQ(doc.centreText(), "SU123456");
    EXPECT_EQ(doc.radius(), 1562.5);
    EXPECT_EQ(doc.database()->centre, (Position{4123, 1456}));
    EXPECT_EQ(doc.database()->radius, 1562);
    EXPECT_TRUE(doc.needsCentring());
    EXPECT_EQ(doc.userFields()[0].name, "Visited");
    EXPECT_EQ(doc.userFields()[0].numbers, (TowerValues<std::int32_t>{{5, 1}, {30000, 146097}}));
    EXPECT_EQ(doc.userFields()[1].name, "Notes");
    EXPECT_EQ(doc.userFields()[1].texts.at(7), std::string(300, 'n'));
    for (int slot = 2; slot < userFieldCount; ++slot) {
        EXPECT_FALSE(doc.userFields()[slot].isNamed()) << slot;
        EXPECT_TRUE(doc.userFields()[slot].numbers.empty()) << slot;
    }
    EXPECT_EQ(doc.userFields()[9].type, FieldType::Number);  // a cleared slot keeps its type
    // Values of towers the directory lacks are kept, said, and written again unchanged.
    EXPECT_EQ(windows.calls,
              (Calls{"update", "message: \"" + (folder / "a.bx0").string() +
                                   "\":\n3 values are under tower "
                                   "numbers that no tower of this directory has: shown on no tower, they are kept "
                                   "with the document.\n"}));

    ASSERT_TRUE(doc.saveDocument(folder / "b.bx0"));
    EXPECT_EQ(readAll(folder / "b.bx0"), saved);
}

TEST_F(OpenSaveTest, OpenKeepsSelectionSortAndCurrentTower)
{
    doc.newDocument();
    doc.setCurrentTower(doc.database()->displayedTower(2));
    SelectionStep invert;
    invert.mode = StepMode::Invert;
    doc.applySelection(invert);
    writeAll(folder / "a.bx0", defaultDocument);
    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    EXPECT_EQ(doc.database()->selectionSteps.size(), 1u);
    EXPECT_EQ(doc.displayedCount(), 0);
    EXPECT_EQ(doc.currentTower()->place, "Chart");
}

TEST_F(OpenSaveTest, OpenBeforeAnyNewDocumentMakesTheDirectory)
{
    writeAll(folder / "a.bx0", "\x08TQ352665"s + defaultDocument.substr(9));
    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    ASSERT_NE(doc.database(), nullptr);
    EXPECT_EQ(doc.displayedCount(), 6);
    EXPECT_EQ(doc.database()->centre, (Position{5352, 1665}));
    EXPECT_EQ(doc.listLine(1), "Bexley, Midshire, S John, 6 Mon 19.30 TQ352665 ");
}

TEST_F(OpenSaveTest, ABadFileIsRefusedWithItsNameAndChangesNothing)
{
    doc.newDocument();
    doc.userFields()[0] = UserField{"Visited", FieldType::Date, {{1, 2}}, {}};
    doc.applyMapOptions({ReferenceSystem::OS, "SU123456", 50000, webMapStreetmap});
    doc.takeNeedsCentring();
    const std::string header = defaultDocument.substr(0, 17);
    const std::string field = int32Bytes(1) + "\x01N" + int32Bytes(1) + int32Bytes(7) + int32Bytes(9);
    const std::vector<std::string> bad = {
        defaultDocument.substr(0, 12),                                    // ends in the radius
        header + int32Bytes(1) + field.substr(0, field.size() - 2),       // ends in a value
        header + int32Bytes(11),
        header + int32Bytes(-3),
        header + int32Bytes(1) + int32Bytes(7) + "\x01N" + int32Bytes(0),  // type 7
        "\xFF\xFE\xFF\x08"s + std::string(16, 'T') + defaultDocument.substr(9),
        "\xFF\x00\x01"s + "short",                                          // 256 bytes promised
    };
    const Snapshot before = snapshot();
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto file = folder / ("bad" + std::to_string(i) + ".bx0");
        writeAll(file, bad[i]);
        windows.calls.clear();
        EXPECT_FALSE(doc.openDocument(file)) << i;
        ASSERT_EQ(windows.calls.size(), 1u) << i;
        EXPECT_TRUE(windows.calls[0].starts_with("message: Cannot open \"" + file.string() + "\""))
            << windows.calls[0];
        EXPECT_EQ(snapshot(), before) << i;
    }
    // A file of one good field and a second that breaks off changes no field either.
    writeAll(folder / "half.bx0", header + int32Bytes(2) + field + int32Bytes(1));
    EXPECT_FALSE(doc.openDocument(folder / "half.bx0"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OpenSaveTest, WhatIsNoDocumentFileIsRefusedByNameWithoutWaiting)
{
    doc.newDocument();
    const SpecialFiles special(folder.path());
    writeAll(folder / "huge.bx0", "");
    std::filesystem::resize_file(folder / "huge.bx0", documentFile.largest + 1);  // sparse
    std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "missing.bx0", "does not exist"},
        {folder.path(), "is not a regular file"},
        {folder / "huge.bx0", "is larger than any document can be (167767041 bytes, at most 167767040)"},
    };
    if (SpecialFiles::available)
        cases.insert(cases.end(), {{special.fifo, "is not a regular file"},
                                   {special.socket, "is not a regular file"},
                                   {"/dev/zero", "is not a regular file"}});
    for (const auto& row : cases) {
        const std::filesystem::path& file = row.first;  // named: clang 14 lambdas capture no structured binding
        const std::string& said = row.second;
        const bool refused = finishesWithin(10, [&] {
            windows.calls.clear();
            return !doc.openDocument(file) && doc.centreText() == "TQ102665" &&
                   windows.calls == Calls{"message: " + quotedPath(file) + " " + said + ". Nothing was changed."};
        });
        EXPECT_TRUE(refused) << file;
    }
}

TEST_F(OpenSaveTest, AFailedSaveSaysWhyAndLeavesWhatWasThere)
{
    doc.newDocument();
    doc.userFields()[0] = UserField{"Visited", FieldType::Date, {{1, 2}}, {}};
    const SpecialFiles special(folder.path());
    std::filesystem::create_directories(folder / "taken.bx0");
    writeAll(folder / "taken.bx0" / "inside", "kept");
    std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {folder / "no such folder" / "a.bx0", "cannot be written: No such file or directory"},
        {folder / "taken.bx0", "is not a regular file"},
    };
    if (SpecialFiles::available) cases.emplace_back(special.fifo, "is not a regular file");
    for (const auto& row : cases) {
        const std::filesystem::path& target = row.first;  // named: clang 14 lambdas capture no structured binding
        const std::string& said = row.second;
        const bool refused = finishesWithin(10, [&] {
            windows.calls.clear();
            return !doc.saveDocument(target) &&
                   windows.calls == Calls{"message: The document is not saved: " + quotedPath(target) + " " +
                                          said + ". Any earlier file of that name is unchanged."};
        });
        EXPECT_TRUE(refused) << target;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));
    EXPECT_EQ(readAll(folder / "taken.bx0" / "inside"), "kept");

    // A document larger than any that can be opened again is not written: every value in it
    // would be lost to the next Open.
    UserField& notes = doc.userFields()[1];
    notes = UserField{"Notes", FieldType::String, {}, {}};
    constexpr std::uint64_t longestValue = 65534;  // as long as a box holds
    for (TowerId id = 1; id * longestValue <= documentFile.largest + longestValue; ++id)
        notes.texts.set(id, std::string(longestValue, 'x'));
    windows.calls.clear();
    EXPECT_FALSE(doc.saveDocument(folder / "large.bx0"));
    ASSERT_EQ(windows.calls.size(), 1u);
    EXPECT_TRUE(windows.calls[0].starts_with("message: The document is not saved: the document would be "))
        << windows.calls[0];
    EXPECT_NE(windows.calls[0].find("larger than any document that can be opened (at most 167767040 bytes)"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "large.bx0"));
    EXPECT_EQ(std::filesystem::is_fifo(special.fifo), SpecialFiles::available);
    // No temporary file was left behind by any attempt.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();
}

TEST_F(OpenSaveTest, SaveReplacesAnEarlierFileWhole)
{
    doc.newDocument();
    writeAll(folder / "a.bx0", std::string(5000, 'x'));
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    EXPECT_EQ(readAll(folder / "a.bx0"), defaultDocument);
}

TEST_F(OpenSaveTest, ASecondDocumentLeavesNothingOfTheFirst)
{
    doc.newDocument();
    doc.userFields()[0] = UserField{"A", FieldType::Number, {{1, 1}}, {}};
    doc.userFields()[1] = UserField{"B", FieldType::String, {}, {{1, "b"}}};
    doc.saveDocument(folder / "two.bx0");
    doc.userFields() = UserFields{};
    doc.userFields()[0] = UserField{"C", FieldType::String, {}, {{2, "c"}}};
    doc.saveDocument(folder / "one.bx0");

    doc.openDocument(folder / "two.bx0");
    doc.openDocument(folder / "one.bx0");
    EXPECT_EQ(doc.userFields()[0].name, "C");
    EXPECT_EQ(doc.userFields()[0].texts, (TowerValues<std::string>{{2, "c"}}));
    EXPECT_TRUE(doc.userFields()[0].numbers.empty());
    EXPECT_FALSE(doc.userFields()[1].isNamed());
    EXPECT_TRUE(doc.userFields()[1].texts.empty());
}

TEST_F(OpenSaveTest, ARadiusNoMapCanHaveIsRefusedAndAHugeOneIsHeldInRange)
{
    doc.newDocument();
    const std::pair<std::string, std::string> refused[] = {
        {"\x00\x00\x00\x00\x00\x00\xF8\x7F"s, "nan"},
        {"\x00\x00\x00\x00\x00\x00\xF0\x7F"s, "inf"},
        {"\x00\x00\x00\x00\x00\x00\xF0\xC1"s, "-4294967296.000000"},
        {"\x00\x00\x00\x00\x00\x6A\xE8\xC0"s, "-50000.000000"},
    };
    for (const auto& [radius, said] : refused) {
        writeAll(folder / "r.bx0", "\x08TQ102665"s + radius + int32Bytes(0));
        windows.calls.clear();
        EXPECT_FALSE(doc.openDocument(folder / "r.bx0"));
        EXPECT_EQ(windows.calls, (Calls{"message: Cannot open " + quotedPath(folder / "r.bx0") +
                                        ": it is not a Belfrix document (the file has the radius " + said +
                                        ", not a number of metres from 0 up). Nothing was changed."}));
    }
    // 1e300 m: the database keeps what 32 bits hold, and moves stay defined.
    writeAll(folder / "r.bx0", "\x08TQ102665"s + "\x9C\x75\x88\x3C\xE4\x37\x7E\x7E"s + int32Bytes(0));
    ASSERT_TRUE(doc.openDocument(folder / "r.bx0"));
    EXPECT_EQ(doc.database()->radius, 2147483647);
    // Through the Options dialog, and a save: the radius it holds in single precision stays a
    // number, so the saved file opens.
    doc.applyMapOptions(doc.shownMapOptions());
    ASSERT_TRUE(doc.saveDocument(folder / "saved.bx0"));
    EXPECT_TRUE(doc.openDocument(folder / "saved.bx0"));
    EXPECT_EQ(doc.shownMapOptions().radius, std::numeric_limits<float>::max());
    doc.zoomIn();
    doc.north();
}

}  // namespace

TEST_F(OpenSaveTest, OnlyChangedUserFieldsMarkTheDocumentUntilSavedOrOpened)
{
    doc.newDocument();
    EXPECT_FALSE(doc.modified());
    doc.zoomIn();
    doc.applyMapOptions({ReferenceSystem::UTM, "SU123456", 1000, webMapMultimap});
    doc.applySelection(SelectionStep{});
    EXPECT_FALSE(doc.modified());

    UserFieldDefinitions rows = doc.shownUserFieldDefinitions();
    doc.applyUserFieldDefinitions(rows);  // OK without a change
    EXPECT_FALSE(doc.modified());
    rows[0] = {"Peals", 1};
    doc.applyUserFieldDefinitions(rows);
    EXPECT_TRUE(doc.modified());
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    EXPECT_FALSE(doc.modified());

    doc.setCurrentTower(doc.database()->displayedTower(0));
    windows.towerFieldsUser = [](TowerFieldEditor& editor) { editor.enterValue(0, "0"); };
    doc.onCommand(command::editFields);  // the value the tower had not: a change
    EXPECT_TRUE(doc.modified());
    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    EXPECT_FALSE(doc.modified());
    windows.towerFieldsUser = [](TowerFieldEditor& editor) {
        editor.enterValue(0, "4");
        editor.enterValue(0, "abc");  // refused
    };
    doc.onCommand(command::editFields);
    EXPECT_TRUE(doc.modified());
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    windows.towerFieldsUser = [](TowerFieldEditor& editor) { editor.enterValue(0, " 4"); };
    doc.onCommand(command::editFields);  // the same value again
    EXPECT_FALSE(doc.modified());

    // A file that is refused changes nothing, the mark included.
    rows[0] = {"Peals rung", 1};
    doc.applyUserFieldDefinitions(rows);
    writeAll(folder / "bad.bx0", "\x01");
    EXPECT_FALSE(doc.openDocument(folder / "bad.bx0"));
    EXPECT_TRUE(doc.modified());
    doc.newDocument();
    EXPECT_TRUE(doc.modified());  // New keeps the fields, unsaved
}

namespace {

// The fixture's directory compiled again a year later: a tower added at the top, which gives
// every other tower a new id, and Dunton gone.
std::string nextYearsSource()
{
    std::string source = sourceText;
    source.insert(source.find('\n') + 1, "TQ502665\\Kent\\Gore\\S Anne\\4\n");
    const auto dunton = source.find("SU123456");
    source.erase(dunton, source.find('\n', dunton) + 1 - dunton);
    return source;
}

TEST_F(OpenSaveTest, ValuesFollowTheirTowersAcrossACompileAndComeBackWithThem)
{
    doc.newDocument();
    std::map<std::string, TowerId> before;
    for (const auto& [id, tower] : doc.database()->towers()) before[std::string(tower.place)] = id;
    doc.userFields()[0] = UserField{"Visits", FieldType::Number,
                              {{before["Aston"], 1}, {before["Dunton"], 4}, {before["Easton"], 5}}, {}};
    const TowerValues<std::int32_t> visits = doc.userFields()[0].numbers;
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));

    writeDirectory(folder / "vesk.dat", nextYearsSource());
    doc.newDocument();
    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    std::map<std::string, TowerId> after;
    for (const auto& [id, tower] : doc.database()->towers()) after[std::string(tower.place)] = id;
    ASSERT_NE(after["Aston"], before["Aston"]);
    EXPECT_EQ(doc.userFields()[0].numbers, (TowerValues<std::int32_t>{{after["Aston"], 1}, {after["Easton"], 5},
                                                                 {firstSetAsideKey, 4}}));
    EXPECT_EQ(windows.calls.back(), "message: The values of \"" + (folder / "a.bx0").string() +
                                        "\" were matched to the towers of this directory.\n"
                                        "2 values moved to their towers' new numbers in this directory.\n"
                                        "1 value belongs to a tower not found in this directory by its name and "
                                        "grid reference, and is kept with the document:\n  Dunton, Hants, S Mary (SU123456)\n");
    EXPECT_TRUE(doc.modified());

    // The year after, Dunton is back: New reads the directory again and every value is home.
    ASSERT_TRUE(doc.saveDocument(folder / "b.bx0"));
    writeDirectory(folder / "vesk.dat");
    doc.newDocument();
    EXPECT_EQ(doc.userFields()[0].numbers, visits);
    EXPECT_TRUE(doc.setAsideTowers().empty());
    EXPECT_EQ(windows.calls.back(), "message: The directory \"" + (folder / "vesk.dat").string() +
                                        "\" numbers its towers otherwise now.\n"
                                        "2 values moved to their towers' new numbers in this directory.\n"
                                        "1 value kept with the document is back on its tower.\n");
    ASSERT_TRUE(doc.openDocument(folder / "b.bx0"));
    EXPECT_EQ(doc.userFields()[0].numbers, visits);

    // A value under a number no tower holds, as an older document can have, is kept aside when
    // New reads the same directory again: no later directory can show it on another tower.
    TowerId towerless = 1;
    while (doc.database()->tower(towerless) != nullptr) ++towerless;
    doc.userFields().setNumber(0, towerless, 9);
    doc.newDocument();
    EXPECT_EQ(doc.userFields()[0].numbers.find(towerless), nullptr);
    EXPECT_EQ(windows.calls.back(), "message: The directory \"" + (folder / "vesk.dat").string() +
                                        "\" was read again.\n"
                                        "1 value belongs to a tower the document cannot name and is kept with it:\n"
                                        "  the tower once numbered " + std::to_string(towerless) + "\n");

    // With the directory gone, New keeps every value aside and says what happened.
    std::filesystem::remove(folder / "vesk.dat");
    doc.newDocument();
    EXPECT_EQ(windows.calls.back().rfind("message: The directory \"" + (folder / "vesk.dat").string() +
                                             "\" is not there now.\n3 values belong to towers not found",
                                         0),
              0u)
        << windows.calls.back();
}

// A document saved before documents kept their towers, or cut short just before that record:
// its values stay under their numbers, and the user is told how many towers show them that way.
TEST_F(OpenSaveTest, ADocumentThatDoesNotSayWhoseItsValuesAreIsOpenedWithAWarning)
{
    doc.newDocument();
    const TowerId aston = doc.database()->displayedTower(0)->id;
    UserFieldSlots slots;
    slots[0] = UserField{"Visits", FieldType::Number, {{aston, 1}, {maxTowerId, 4}}, {}};
    slots[1] = UserField{"Notes", FieldType::String, {}, {{aston, "bells rehung"}}};
    ASSERT_EQ(doc.database()->tower(maxTowerId), nullptr);  // no tower shows it, and it is kept
    writeAll(folder / "old.bx0", encodeDocument("TQ102665", 50000, slots));
    windows.calls.clear();
    ASSERT_TRUE(doc.openDocument(folder / "old.bx0"));
    EXPECT_EQ(doc.userFields()[0].numbers, slots[0].numbers);
    EXPECT_EQ(windows.calls.back(),
              "message: \"" + (folder / "old.bx0").string() +
                  "\":\nThe document does not say which towers its values belong to: it was saved by an earlier "
                  "version, or is cut short. 2 values are shown on the towers under the numbers they were saved "
                  "with; if the directory was compiled again since, check them. Saving the document records the "
                  "towers they are on.\n1 value is under a tower number that no tower of this directory has: "
                  "shown on no tower, it is kept with the document.\n");
}

}  // namespace
