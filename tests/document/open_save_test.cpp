#include <gtest/gtest.h>

#include <algorithm>

#include "document/command_ids.h"
#include "document/vesk_doc.h"
#include "query/user_fields.h"
#include "tests/document/doc_test_support.h"

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
        resetViewerSettings();
        writeDirectory(folder / "vesk.dat");
    }
    void TearDown() override { resetViewerSettings(); }

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
        for (const UserField& field : userFields) {
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
    userFields[2] = UserField{"Visited", FieldType::Date, {{40000, 146097}, {5, 1}}, {}};
    userFields[5] = UserField{"Notes", FieldType::String, {}, {{7, std::string(300, 'n')}}};
    userFields[7].numbers[3] = 3;  // unnamed: not stored
    ASSERT_TRUE(doc.saveDocument(folder / "a.bx0"));
    const std::string saved = readAll(folder / "a.bx0");

    resetViewerSettings();
    userFields[9] = UserField{"Left over", FieldType::Number, {{1, 1}}, {}};
    doc.applyMapOptions({ReferenceSystem::OS, "TQ102665", 50000, webMapStreetmap});
    doc.takeNeedsCentring();
    windows.calls.clear();

    ASSERT_TRUE(doc.openDocument(folder / "a.bx0"));
    EXPECT_EQ(doc.centreText(), "SU123456");
    EXPECT_EQ(doc.radius(), 1562.5);
    EXPECT_EQ(doc.database()->centre, (Position{4123, 1456}));
    EXPECT_EQ(doc.database()->radius, 1562);
    EXPECT_TRUE(doc.needsCentring());
    EXPECT_EQ(userFields[0].name, "Visited");
    EXPECT_EQ(userFields[0].numbers, (TowerValues<std::int32_t>{{5, 1}, {40000, 146097}}));
    EXPECT_EQ(userFields[1].name, "Notes");
    EXPECT_EQ(userFields[1].texts.at(7), std::string(300, 'n'));
    for (int slot = 2; slot < userFieldCount; ++slot) {
        EXPECT_FALSE(userFields[slot].isNamed()) << slot;
        EXPECT_TRUE(userFields[slot].numbers.empty()) << slot;
    }
    EXPECT_EQ(userFields[9].type, FieldType::Number);  // a cleared slot keeps its type
    EXPECT_EQ(windows.calls, (Calls{"update"}));

    // Values of towers the directory lacks are kept and written again unchanged.
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
    userFields[0] = UserField{"Visited", FieldType::Date, {{1, 2}}, {}};
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

TEST_F(OpenSaveTest, AFileThatCannotBeReadIsRefused)
{
    doc.newDocument();
    for (const auto& file : {folder / "missing.bx0", folder.path()}) {
        windows.calls.clear();
        EXPECT_FALSE(doc.openDocument(file));
        EXPECT_EQ(windows.calls,
                  (Calls{"message: Cannot open \"" + file.string() + "\": the file cannot be read."}));
    }
    EXPECT_EQ(doc.centreText(), "TQ102665");
}

TEST_F(OpenSaveTest, AFailedSaveSaysSoAndLeavesWhatWasThere)
{
    doc.newDocument();
    userFields[0] = UserField{"Visited", FieldType::Date, {{1, 2}}, {}};
    const auto missingFolder = folder / "no such folder" / "a.bx0";
    EXPECT_FALSE(doc.saveDocument(missingFolder));
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    // The target is a folder holding a file: the save fails and both stay.
    std::filesystem::create_directories(folder / "taken.bx0");
    writeAll(folder / "taken.bx0" / "inside", "kept");
    EXPECT_FALSE(doc.saveDocument(folder / "taken.bx0"));
    EXPECT_EQ(readAll(folder / "taken.bx0" / "inside"), "kept");

    ASSERT_EQ(windows.calls.size(), 3u);
    EXPECT_TRUE(windows.calls[1].starts_with("message: Cannot save the document as \"" +
                                             missingFolder.string() + "\""));
    EXPECT_TRUE(windows.calls[2].starts_with("message: Cannot save the document as \"" +
                                             (folder / "taken.bx0").string() + "\""));
    // No temporary file was left behind by either attempt.
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
    userFields[0] = UserField{"A", FieldType::Number, {{1, 1}}, {}};
    userFields[1] = UserField{"B", FieldType::String, {}, {{1, "b"}}};
    doc.saveDocument(folder / "two.bx0");
    resetViewerSettings();
    userFields[0] = UserField{"C", FieldType::String, {}, {{2, "c"}}};
    doc.saveDocument(folder / "one.bx0");

    doc.openDocument(folder / "two.bx0");
    doc.openDocument(folder / "one.bx0");
    EXPECT_EQ(userFields[0].name, "C");
    EXPECT_EQ(userFields[0].texts, (TowerValues<std::string>{{2, "c"}}));
    EXPECT_TRUE(userFields[0].numbers.empty());
    EXPECT_FALSE(userFields[1].isNamed());
    EXPECT_TRUE(userFields[1].texts.empty());
}

TEST_F(OpenSaveTest, ARadiusBeyondWholeMetresIsHeldInsideTheDatabasesRange)
{
    doc.newDocument();
    const std::pair<std::string, std::int32_t> cases[] = {
        {"\x00\x00\x00\x00\x00\x00\xF8\x7F"s, 0},            // not a number
        {"\x00\x00\x00\x00\x00\x00\xF0\x7F"s, 2147483647},   // +infinity
        {"\x00\x00\x00\x00\x00\x00\xF0\xC1"s, -2147483647 - 1},  // -2^32 m
        {"\x00\x00\x00\x00\x00\x6A\xE8\xC0"s, -50000},
    };
    for (const auto& [radius, metres] : cases) {
        writeAll(folder / "r.bx0", "\x08TQ102665"s + radius + int32Bytes(0));
        ASSERT_TRUE(doc.openDocument(folder / "r.bx0"));
        EXPECT_EQ(doc.database()->radius, metres);
        doc.zoomIn();
        doc.north();  // moves and pans stay defined whatever the radius
    }
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
