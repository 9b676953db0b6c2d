// The compiler run in-process: lines, summary, bytes written and every way a run can fail.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "compiler/compile_directory.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/bytes.h"

namespace {

using namespace std::string_literals;

struct Outcome {
    int status;
    std::string out;
    std::string error;
};

Outcome compileIn(const TemporaryFolder& folder)
{
    std::ostringstream out;
    std::ostringstream error;
    const int status = compileDirectory(folder.path(), out, error);
    return {status, out.str(), error.str()};
}

const std::string emptyData = bytesOf({0xFF, 0xFF, 0xFF, 0xFF});

TEST(SourceLines, EndAtLineFeedsAndAnUnfinishedLastLineIsNoLine)
{
    const auto lines = [](std::string_view source) {
        std::vector<std::string> result;
        forEachSourceLine(source, [&](std::string_view line) { result.emplace_back(line); });
        return result;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(lines("a\nb"), (Lines{"a"}));
    EXPECT_EQ(lines("a\r\n\n\nb\n"), (Lines{"a\r", "", "", "b"}));
    EXPECT_EQ(lines(""), Lines{});
    EXPECT_EQ(lines("no line feed"), Lines{});
    const std::string longLine(100000, 'x');
    EXPECT_EQ(lines(longLine + "\n"), Lines{longLine});
}

TEST(SourceNotes, SayWhatTheCompileReadsOtherwiseThanTheSourceMayMean)
{
    using Notes = std::vector<std::string>;
    const std::string crlf = "vesk.txt has CR LF line ends: the header's last column, \"Bells\", is not recognised, "
                             "and every line's last column keeps its carriage return";
    const std::pair<std::string, Notes> cases[] = {
        {"Place\\Bells\nA\\8\n", {}},
        {"", {}},
        {"Place", {}},  // the header alone, without a line feed, is still the header
        {"Place\rA\r", {"vesk.txt has no line feeds, its lines ending in a carriage return alone: it is read as "
                         "one header line, with no towers"}},
        {"Place\\Bells\r\nA\\8\r\n", {crlf}},
        {"\xEF\xBB\xBFPlace\\Bells\nA\\8\n", {"vesk.txt begins with a UTF-8 byte order mark, read as part of its "
                                                "first column's name: \"Place\" is not recognised"}},
        {"\xEF\xBB\xBFOwn\\Place\nA\\B\n", {}},  // the mark hides no column that is read
        {"Abbey\\TQ102665\\Kent\nB\\C\\D\n", {"the first line of vesk.txt, its header, names none of the columns that "
                                               "are read, such as \"Place\": every tower is compiled with no data"}},
        {"Place\nA\n\nB\n\n", {"vesk.txt has 2 empty lines, each compiled as a tower with no data (the first is line 3)"}},
        // More lines than a directory takes, every one of them counted.
        {"Place\n" + std::string(40000, '\n'),
         {"vesk.txt has 40000 empty lines, each compiled as a tower with no data (the first is line 2)"}},
        {"Place\r\n\r\nA\r\n", {"vesk.txt has CR LF line ends: the header's last column, \"Place\", is not recognised, "
                                  "and every line's last column keeps its carriage return",
                                  "vesk.txt has 1 empty line, each compiled as a tower with no data (the first is line 2)"}},
        // Those of the header and of an unfinished last line, which are not read as texts, are not counted.
        {"Pl\0ace\\FULL\nA\\B\nSur\0rey\\Ab\0bey\n\0\nC\0"s,
         {"vesk.txt has 3 NUL bytes (the first on line 3): a column holding one is read only up to it, as the "
          "compiled file ends each text there",
          "the last line of vesk.txt has no line feed after it and is left out: \"C\0\""s}},
        {"Place\nA\nLast line without its line feed, longer than forty bytes",
         {"the last line of vesk.txt has no line feed after it and is left out: "
          "\"Last line without its line feed, longer ...\""}},
    };
    for (const auto& [source, notes] : cases) EXPECT_EQ(sourceNotes(splitSource(source)), notes) << source;
}

TEST(LinesNotes, SayWhichGridReferencesOrWeightsAreReadOtherwiseThanWritten)
{
    using Notes = std::vector<std::string>;
    const auto note = [](std::string_view count, int line, std::string_view text) {
        return "vesk.txt has " + std::string(count) + " read as no position (the first on line " +
               std::to_string(line) + ": \"" + std::string(text) + "\"): a reference is two capital letters, or "
               "one and a blank, then six digits, and a tower without one is left off the map and out of distances";
    };
    const auto misread = [](std::string_view count, int line, std::string_view text, std::string_view readAs) {
        return "vesk.txt has " + std::string(count) + " not written as a reference is, which may give another "
               "place than meant (the first on line " + std::to_string(line) + ": \"" + std::string(text) +
               "\", read as " + std::string(readAs) + "): a reference is two capital letters, or one and a blank, "
               "then six digits";
    };
    const auto partial = [](std::string_view count, int line, std::string_view cwt, std::string_view qr) {
        return "vesk.txt has " + std::string(count) + " read only in part (the first on line " + std::to_string(line) +
               ": cwt \"" + std::string(cwt) + "\", qr \"" + std::string(qr) + "\", lb \"\"): a weight is whole "
               "hundredweights, quarters and pounds, all three given, or hundredweights alone";
    };
    std::string manyLines = "Place\\NG\n";
    for (int line = 0; line < 600; ++line) manyLines += "A\\TQ102665\n";
    manyLines += "B\\SU1234\nC\\TQ102665\nD\\tq102665\n";
    const std::pair<std::string, Notes> cases[] = {
        {"Place\\NG\nA\\TQ102665\nB\\O 153340\nC\\\n", {}},
        {"Place\\NG\nA\\TQ102665\nB\\tq102665\nC\\ TQ102665\n", {note("2 grid references", 3, "tq102665")}},
        {"Place\\NG\nA\\TQ10266\n", {note("1 grid reference", 2, "TQ10266")}},
        // Lines parsed side by side in chunks: the first in the source's order is named.
        {manyLines, {note("2 grid references", 602, "SU1234")}},
        {"Place\\NG\nA\\TQ10206650\nB\\TQ 102 665\nC\\ZZ123456\nD\\SM838332\nE\\O  153340\n",
         {misread("4 grid references", 2, "TQ10206650", "TQ102066")}},
        {"Place\\NG\nA\\tq1\nB\\TQ-02665\n",
         {note("1 grid reference", 2, "tq1"), misread("1 grid reference", 3, "TQ-02665", "SU998665")}},
        // Read as 8 cwt, -1 cwt, 8 cwt and 8 cwt; the weights written in full or as cwt alone are whole.
        {"cwt\\qr\\lb\n8\\2\\\n\\1\\2\n8.5\n8\xBD\n8\\2\\0\n12\n",
         {partial("4 tenor weights", 2, "8", "2")}},
    };
    for (const auto& [source, notes] : cases) {
        TowerDirectory database;
        const SourceLines lines = splitSource(database.holdSource(PresentBytes(source.begin(), source.end())));
        EXPECT_EQ(linesNotes(compileLines(database, lines)), notes) << source.substr(0, 60);
    }
}

TEST(CompileSource, WritesTheExpectedBytes)
{
    // Kent takes the first draw (41); the towers take the next two (18467, 6334).
    const TowerDirectory database = compileSource("Place\\FULL\\Bells\nAb\\Kent\\8\nCd\\\\\n");
    EXPECT_EQ(database.encode(),
              bytesOf({0x2B, 0xBE, 0x18, 0x6C, 'C', 'd', 0x00,
                     0x2B, 0x23, 0x48, 0x6C, 'A', 'b', 0x00, 0x03, 0x29, 0x02, 0x08, 0xFF,
                     0x0B, 0x29, 0x73, 'K', 'e', 'n', 't', 0x00, 0xFF, 0xFF, 0xFF}));
}

TEST(CompileSource, CountsTowersAndDistinctTexts)
{
    const std::string source =
        "Place\\FULL\\Dedicn\\WebPage\n"
        "Alton\\Hampshire\\St Lawrence\\http://alton\n"
        "Esher\\Surrey\\Christ Church\\\n"
        "Odiham\\Hampshire\\All Saints\\http://alton\n";
    EXPECT_EQ(summaryLine(compileSource(source).counts()), "3 Towers, 2 Counties, 3 Saints, 1 URLs\n");

    // Blank lines are towers with no data; a last line without its line feed is left out.
    const TowerDirectory blanks = compileSource("Place\nA\n\nB\n\nC");
    EXPECT_EQ(blanks.counts().towers, 4);
    EXPECT_EQ(compileSource("Place\n").counts().towers, 0);
    EXPECT_EQ(compileSource("").encode(), emptyData);
    EXPECT_EQ(compileSource("Place\\Bells").encode(), emptyData);
}

TEST(CompileSource, ReadsLongLinesWhole)
{
    const std::string place(3000, 'P');
    const std::string county(500, 'C');
    const TowerDirectory database =
        compileSource(std::string(300, 'x') + "\\Place\\FULL\\Bells\n\\" + place + "\\" + county + "\\6\n");
    ASSERT_EQ(database.counts().towers, 1);
    const Tower& tower = database.towers().front().second;
    EXPECT_EQ(tower.place, place);
    EXPECT_EQ(database.countyName(tower.county), county);
    EXPECT_EQ(tower.bells, 6);
    const TowerDirectory read{TagReader(database.encode())};
    EXPECT_EQ(read.towers(), database.towers());
}

TEST(CompileDirectory, CompilesTheSourceInTheFolder)
{
    TemporaryFolder folder;
    const std::string source = "Place\\FULL\\Bells\r\nAb\\Kent\\8\r\nCd\\Kent\\6\r\n";
    folder.write("vesk.txt", source);
    const Outcome first = compileIn(folder);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "2 Towers, 1 Counties, 0 Saints, 0 URLs\n");
    EXPECT_EQ(first.error, "veskcomp: vesk.txt has CR LF line ends: the header's last column, \"Bells\", is not "
                           "recognised, and every line's last column keeps its carriage return\n");
    const std::optional<std::string> data = folder.read("vesk.dat");
    ASSERT_TRUE(data);
    const TowerDirectory read{TagReader(*data)};
    ASSERT_EQ(read.counts().towers, 2);
    // "Bells\r" names no column, so the carriage returns hide the bells.
    for (const auto& [id, tower] : read.towers()) EXPECT_EQ(tower.bells, 0);

    // Again, over the first file: the same bytes.
    EXPECT_EQ(compileIn(folder).status, 0);
    EXPECT_EQ(folder.read("vesk.dat"), data);
}

TEST(CompileDirectory, MissingSourceIsAnErrorAndTouchesNothing)
{
    TemporaryFolder folder;
    folder.write("vesk.dat", "previous");
    const Outcome run = compileIn(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.error.find("vesk.txt"), std::string::npos) << run.error;
    EXPECT_EQ(folder.read("vesk.dat"), "previous");

    std::filesystem::create_directory(folder.path() / "vesk.txt");  // there, but unreadable
    const Outcome unreadable = compileIn(folder);
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.error.find("vesk.txt"), std::string::npos) << unreadable.error;
    EXPECT_EQ(folder.read("vesk.dat"), "previous");
}

// A link to the source would have the directory written in its place; a hard link would not, as
// the write puts a new file under the data file's name only.
TEST(CompileDirectory, ADataFileThatLinksToTheSourceIsRefused)
{
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        TemporaryFolder folder;
        folder.write("vesk.txt", "Place\nA\n");
        std::error_code noLinks;
        if (symbolic)
            std::filesystem::create_symlink("vesk.txt", folder.path() / "vesk.dat", noLinks);
        else
            std::filesystem::create_hard_link(folder.path() / "vesk.txt", folder.path() / "vesk.dat", noLinks);
        if (noLinks) continue;  // a system that lets no such link be made
        const Outcome run = compileIn(folder);
        EXPECT_EQ(run.status, symbolic ? 1 : 0) << run.error;
        EXPECT_EQ(run.error.find("would replace the source; nothing was written") != std::string::npos, symbolic)
            << run.error;
        EXPECT_EQ(folder.read("vesk.txt"), "Place\nA\n");
    }
    // A loop of links is no source: the summary comes, then the write's failure.
    TemporaryFolder looped;
    looped.write("vesk.txt", "Place\nA\n");
    std::error_code noLinks;
    std::filesystem::create_symlink("vesk.dat", looped.path() / "vesk.dat", noLinks);
    if (noLinks) return;
    const Outcome run = compileIn(looped);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1 Towers, 0 Counties, 0 Saints, 0 URLs\n");
}

TEST(CompileDirectory, UnwritableDataFileIsReportedAfterTheSummary)
{
    TemporaryFolder folder;
    folder.write("vesk.txt", "Place\nA\n");
    std::filesystem::create_directory(folder.path() / "vesk.dat");
    const Outcome run = compileIn(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1 Towers, 0 Counties, 0 Saints, 0 URLs\n");
    EXPECT_NE(run.error.find("vesk.dat"), std::string::npos) << run.error;
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "vesk.dat"));
}

TEST(CompileDirectory, ReachingTheTowerLimitStopsWithoutWriting)
{
    // Each line adds at most one text to each table, so the towers fill up first.
    std::string source = "FULL\n";
    for (int i = 0; i <= 32767; ++i) source += std::to_string(i) + "\n";
    TemporaryFolder folder;
    folder.write("vesk.txt", source);
    folder.write("vesk.dat", "previous");
    const Outcome run = compileIn(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.error.find("32767 tower numbers"), std::string::npos) << run.error;
    EXPECT_EQ(folder.read("vesk.dat"), "previous");
}

}  // namespace
