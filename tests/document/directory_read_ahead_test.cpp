#include <gtest/gtest.h>

#include <functional>

#include "document/directory_read_ahead.h"
#include "document/vesk_doc.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

const std::string sevenTowers = std::string(sourceText) + "TQ302665\\Kent\\Aldby\\S Paul\\4\n";
const std::string outlineBytes("\x01\x00\x01\x00\x02\x00\xE8\x03\xD0\x07\xF4\x01\x64\x00", 14);

struct Between {
    const char* what;
    std::function<void(const TemporaryFolder&, ViewerFiles&)> happen;
    bool taken;
};

// What was read is taken only while it is what the load would read now.
TEST(DirectoryReadAheadTest, WhatWasReadIsTakenOnlyWhileBothFilesAreAsTheyWere)
{
    const Between cases[] = {
        {"nothing", [](const TemporaryFolder&, ViewerFiles&) {}, true},
        {"the directory compiled anew",
         [](const TemporaryFolder& folder, ViewerFiles&) { writeDirectory(folder / "vesk.dat", sevenTowers); }, false},
        {"the directory removed",
         [](const TemporaryFolder& folder, ViewerFiles&) { std::filesystem::remove(folder / "vesk.dat"); }, false},
        {"the outline made",
         [](const TemporaryFolder& folder, ViewerFiles&) { writeAll(folder / "map.dat", outlineBytes); }, false},
        {"another directory asked for",
         [](const TemporaryFolder& folder, ViewerFiles& files) {
             writeDirectory(folder / "other.dat");
             files.directory = folder / "other.dat";
         },
         false},
    };
    for (const Between& between : cases) {
        SCOPED_TRACE(between.what);
        TemporaryFolder folder;
        ViewerFiles files{folder / "vesk.dat", folder / "map.dat"};
        writeDirectory(files.directory);
        DirectoryReadAhead readAhead;
        readAhead.start(files);
        between.happen(folder, files);
        const std::optional<ViewerLoad> load = readAhead.take(files);
        EXPECT_EQ(load.has_value(), between.taken);
        if (load) {
            EXPECT_EQ(load->database->displayedCount(), 6);
            if (load->database->displayedCount() != 6) continue;
            EXPECT_EQ(load->database->displayedTower(0)->place, "Aston");
            EXPECT_EQ(load->database->displayedTower(5)->place, "Fenby");
        }
        EXPECT_FALSE(readAhead.take(files).has_value());
    }
}

// The first New takes the reading; a later one reads the directory as it is then.
TEST(DirectoryReadAheadTest, OnlyTheFirstLoadTakesTheReading)
{
    TemporaryFolder folder;
    writeDirectory(folder / "vesk.dat");
    RecordingWindows windows;
    VeskDoc doc{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
    doc.readDirectoryAhead();
    doc.newDocument();
    EXPECT_EQ(doc.displayedCount(), 6);
    writeDirectory(folder / "vesk.dat", sevenTowers);
    doc.newDocument();
    ASSERT_EQ(doc.displayedCount(), 7);
    EXPECT_EQ(doc.database()->displayedTower(0)->place, "Aldby");
}

}  // namespace
