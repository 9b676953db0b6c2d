#include <gtest/gtest.h>

#include <sstream>

#include "cli/veskquery.h"
#include "document/document_file.h"
#include "document/vesk_doc.h"
#include "tests/document/doc_test_support.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/program_run.h"
#include "tests/support/special_files.h"

using namespace docfixture;
using namespace std::string_literals;

namespace {

// The full descriptions of the sample towers, as the tower list shows them with OS references.
const std::string aston = "Aston, Midshire, S Mary, 8 Thu 19.30 TQ102665  http://www.aston.org.uk";
const std::string bexley = "Bexley, Midshire, S John, 6 Mon 19.30 TQ352665 ";
const std::string chart = "Chart, Kent, All Saints, 8 Thu 20.00 TQ102715 ";
const std::string dunton = "Dunton, Hants, S Mary, 10 Wed 19.45 SU123456 ";
const std::string easton = "Easton, Hants, S Peter, 5  ";
const std::string fenby = "Fenby, Kent, 3 Unringable TQ202665 FE1 2NB http://www.a+b.org";

std::string lines(std::initializer_list<std::string> texts)
{
    std::string result;
    for (const std::string& text : texts) result += text + "\n";
    return result;
}

std::string int32Bytes(std::int32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF));
    return bytes;
}

class VeskQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat");
        const TowerDatabase database(folder / "vesk.dat");
        for (const auto& [id, tower] : database.towers()) ids[std::string(tower.place)] = id;
    }

    struct Result {
        int status;
        std::string out;
        std::string err;
    };
    Result run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--data", (folder / "vesk.dat").string()});
        std::ostringstream out, err;
        const int status = runVeskQuery(arguments, out, err);
        return {status, out.str(), err.str()};
    }
    std::string idLines(std::initializer_list<const char*> places)
    {
        std::string result;
        for (const char* place : places) result += std::to_string(ids.at(place)) + "\n";
        return result;
    }

    TemporaryFolder folder;
    std::map<std::string, TowerId> ids;
};

TEST_F(VeskQueryTest, ListsEveryTowerByPlaceNameByDefault)
{
    const Result result = run({});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, lines({aston, bexley, chart, dunton, easton, fenby}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(run({"--ids"}).out, idLines({"Aston", "Bexley", "Chart", "Dunton", "Easton", "Fenby"}));
}

TEST_F(VeskQueryTest, SelectionStepsCombineInTheOrderGiven)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;
    };
    const Case cases[] = {
        {{"--and", "no of bells", "8", "8"}, lines({aston, chart})},
        {{"--and", "no of bells", "8", "8", "--invert"}, lines({bexley, dunton, easton, fenby})},
        {{"--and", "no of bells", "8", "8", "--invert", "--undo"}, lines({aston, chart})},
        {{"--and", "no of bells", "8", "8", "--or-not", "unringable", "", ""},
         lines({aston, bexley, chart, dunton, easton})},
        // On an empty chain XOR keeps exactly the towers that fail its test.
        {{"--xor", "no of bells", "8", "10"}, lines({bexley, easton, fenby})},
        {{"--and-not", "no of bells", "8", "10", "--xor", "county", "K", "K"},
         lines({bexley, chart, easton})},
        {{"--and", "place name", "B", "C", "--select-all", "--or", "county", "Hants", ""},
         lines({aston, bexley, chart, dunton, easton, fenby})},
        {{"--and", "place name", "B", "C"}, lines({bexley, chart})},
        {{"--and", "distance", "0", "10"}, lines({aston, chart, fenby})},
        {{"--centre", "SU123456", "--and", "distance", "0", "10"}, lines({dunton})},
        {{"--and", "x-coordinate", "TQ1", "TQ1"}, lines({aston, chart})},
    };
    for (const Case& c : cases) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        std::string shown;
        for (const std::string& argument : c.arguments) shown += " '" + argument + "'";
        EXPECT_EQ(result.out, c.expected) << shown;
    }
}

TEST_F(VeskQueryTest, SortKeysReplaceTheDefaultsInTheOrderGiven)
{
    EXPECT_EQ(run({"--sort-desc", "no of bells", "--ids"}).out,
              idLines({"Dunton", "Chart", "Aston", "Bexley", "Easton", "Fenby"}));  // county next
    // Second key descending place name among the two 8-bell towers.
    EXPECT_EQ(run({"--sort-desc", "no of bells", "--sort-desc", "place name", "--ids"}).out,
              idLines({"Dunton", "Chart", "Aston", "Bexley", "Easton", "Fenby"}));
    // Thursday (5) before Monday (2) descending; no practice night last.
    EXPECT_EQ(run({"--sort-desc", "practice night", "--ids"}).out,
              idLines({"Chart", "Aston", "Dunton", "Bexley", "Easton", "Fenby"}));
}

TEST_F(VeskQueryTest, DistancesFromAPickedTower)
{
    const std::string bexleyId = std::to_string(ids.at("Bexley"));
    EXPECT_EQ(run({"--from-tower", bexleyId, "--sort", "distance", "--ids"}).out,
              idLines({"Bexley", "Fenby", "Aston", "Chart", "Dunton", "Easton"}));
    EXPECT_EQ(run({"--from-tower", bexleyId, "--and", "distance", "0", "15"}).out,
              lines({bexley, fenby}));
}

TEST_F(VeskQueryTest, ReferenceSystemChangesTheLocationTexts)
{
    const Result utm = run({"--ref", "utm", "--and", "place name", "Aston", "Aston"});
    EXPECT_EQ(utm.out, "Aston, Midshire, S Mary, 8 Thu 19.30 30U:(679,5696)  http://www.aston.org.uk\n");
    const Result latLong = run({"--ref", "latlong", "--and", "place name", "Aston", "Aston", "--csv"});
    EXPECT_NE(latLong.out.find(",\"51\xB0" "23'12\"\"N 0\xB0" "24'55\"\"W\","), std::string::npos)
        << latLong.out;
}

TEST_F(VeskQueryTest, CsvIsTheExportFile)
{
    EXPECT_EQ(run({"--and", "no of bells", "8", "8", "--csv"}).out,
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n"
              "\"Aston\",\"Midshire\",\"S Mary\",,8,\"0-0-0\",,,\"Thu\",19.30,\"TQ102665\",\"www.aston.org.uk\"\r\n"
              "\"Chart\",\"Kent\",\"All Saints\",,8,\"0-0-0\",,,\"Thu\",20.00,\"TQ102715\",\"\"\r\n");
    EXPECT_EQ(run({"--and", "no of bells", "99", "", "--csv"}).out,
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n");
}

TEST_F(VeskQueryTest, LinksAndGpsFormatsForEachDisplayedTower)
{
#ifdef BELFRIX_WITHOUT_PROJ
    GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
    const Result links = run({"--and", "county", "Hants", "Hants", "--links", "multimap"});
    EXPECT_EQ(links.status, 0);
    // Dunton, then Easton, which has no place to link to.
    EXPECT_EQ(links.out, "http://www.multimap.com/map/browse.cgi?GridE=412350&GridN=145650&db=grid\n\n");
    EXPECT_EQ(run({"--and", "place name", "Aston", "Aston", "--links", "openstreetmap"}).out,
              "https://www.openstreetmap.org/?mlat=51.387295&mlon=-0.416970#map=16/51.387295/-0.416970\n");
    EXPECT_EQ(run({"--links", "bing"}).status, 2);

    // Both formats note the tower they leave out, and stay UTF-8 whatever --encoding says.
    const Result json = run({"--geojson", "--encoding", "utf-8"});
    EXPECT_EQ(json.err, "veskquery: 1 tower without a position left out\n");
    EXPECT_EQ(json.out, run({"--geojson"}).out);
    const Result gpx = run({"--gpx"});
    EXPECT_EQ(gpx.err, json.err);
    EXPECT_NE(gpx.out.find("<!-- 1 tower without a position is left out -->"), std::string::npos);
}

TEST_F(VeskQueryTest, DocumentFileBringsCentreAndUserFields)
{
    // Centre SU123456, radius 20000, a Number field "Peals": Aston 12, Chart 40, Dunton 0.
    const std::string document = "\x08SU123456"s + "\x00\x00\x00\x00\x00\x88\xD3\x40"s +
                                 int32Bytes(1) + int32Bytes(1) + "\x05Peals" + int32Bytes(3) +
                                 int32Bytes(ids.at("Aston")) + int32Bytes(12) +
                                 int32Bytes(ids.at("Chart")) + int32Bytes(40) +
                                 int32Bytes(ids.at("Dunton")) + int32Bytes(0);
    writeAll(folder / "peals.bx0", document);
    const std::string doc = (folder / "peals.bx0").string();

    EXPECT_EQ(run({"--doc", doc, "--and", "distance", "0", "10"}).out, lines({dunton + " Peals: 0"}));
    // From 0 counts as 1 for a Number field, so Dunton's 0 fails; towers without a value fail.
    EXPECT_EQ(run({"--doc", doc, "--and", "Peals", "0", ""}).out,
              lines({aston + " Peals: 12", chart + " Peals: 40"}));
    EXPECT_EQ(run({"--doc", doc, "--sort-desc", "Peals", "--ids"}).out,
              idLines({"Chart", "Aston", "Dunton", "Easton", "Fenby", "Bexley"}));  // 0 and none alike, then county
    const Result csv = run({"--doc", doc, "--and", "Peals", "40", "40", "--csv"});
    EXPECT_EQ(csv.out,
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www,\"Peals\"\r\n"
              "\"Chart\",\"Kent\",\"All Saints\",,8,\"0-0-0\",,,\"Thu\",20.00,\"TQ102715\",\"\",40\r\n");
}

TEST_F(VeskQueryTest, DocValuesFollowTheirTowersAndSaveDocWritesWhatTheViewerSaves)
{
    UserFieldSlots slots;
    slots[0] = UserField{"Visits", FieldType::Number, {{ids.at("Aston"), 1}, {ids.at("Dunton"), 4}}, {}};
    const TowerDatabase before(folder / "vesk.dat");
    writeAll(folder / "old.bx0", encodeDocument("TQ102665", 50000, slots, {valueOwners(slots, before), {}}));
    // Compiled again with a tower more at the top and Dunton gone.
    std::string source = sourceText;
    source.insert(source.find('\n') + 1, "TQ502665\\Kent\\Gore\\S Anne\\4\n");
    source.erase(source.find("SU123456"), source.find('\n', source.find("SU123456")) + 1 - source.find("SU123456"));
    writeDirectory(folder / "vesk.dat", source);

    const std::string old = (folder / "old.bx0").string();
    const std::string updated = (folder / "new.bx0").string();
    const Result saved = run({"--doc", old, "--save-doc", updated});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(saved.out, "");
    EXPECT_EQ(saved.err, "veskquery: " + old + ": 1 value moved to its tower's new number in this directory.\n"
                         "veskquery: " + old + ": 1 value belongs to a tower not found in this directory by its name and "
                         "grid reference, and is kept with the document:\n"
                         "veskquery: " + old + ":   Dunton, Hants, S Mary (SU123456)\n");

    RecordingWindows windows;
    VeskDoc doc{windows, windows, "", ViewerFiles{folder / "vesk.dat", folder / "map.dat"}};
    ASSERT_TRUE(doc.openDocument(old));
    ASSERT_TRUE(doc.saveDocument(folder / "viewer.bx0"));
    EXPECT_EQ(readAll(updated), readAll(folder / "viewer.bx0"));

    // A file named for the output asks for the list there, beside the saved document.
    const std::string listFile = (folder / "listed.txt").string();
    const std::string aloneFile = (folder / "alone.txt").string();
    EXPECT_EQ(run({"--doc", old, "--save-doc", updated, "--output", listFile}).status, 0);
    EXPECT_EQ(run({"--doc", old, "--output", aloneFile}).status, 0);
    EXPECT_EQ(readAll(listFile), readAll(aloneFile));

    const Result listed = run({"--doc", updated, "--and", "Visits", "1", "1"});
    EXPECT_EQ(listed.out, lines({aston + " Visits: 1"}));
    EXPECT_EQ(listed.err.find("moved"), std::string::npos);
    EXPECT_NE(listed.err.find("Dunton"), std::string::npos);
}

TEST_F(VeskQueryTest, BadUseIsOneLineOnStandardErrorAndStatusTwo)
{
    writeAll(folder / "bad.bx0", "\x08TQ10"s);
    UserFieldSlots dated;
    dated[0] = UserField{"Visited", FieldType::Date, {}, {}};
    writeAll(folder / "dated.bx0", encodeDocument("TQ102665", 50000, dated));
    const std::vector<std::vector<std::string>> uses = {
        {"--bogus"},
        {"--and", "no of bells", "8"},
        {"--and", "colour", "a", "b"},
        {"--sort", "unringable"},  // a selection field, not a sort field
        {"--sort", "county", "--sort", "county", "--sort", "county", "--sort", "county"},
        {"--ref", "mercator"},
        {"--radius", "1000001"},
        {"--radius", "wide"},
        {"--from-tower", "x"},
        {"--from-tower", "0"},
        {"--doc", (folder / "missing.bx0").string()},
        {"--doc", (folder / "bad.bx0").string()},
        {"--data", (folder / "missing.dat").string()},
        {"--centre"},
        {"--doc", (folder / "dated.bx0").string(), "--and", "Visited", "31/2/2010", ""},
    };
    for (const auto& use : uses) {
        const Result result = run(use);
        EXPECT_EQ(result.status, 2) << use[0];
        EXPECT_EQ(result.out, "") << use[0];
        EXPECT_TRUE(result.err.starts_with("veskquery: ")) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_NE(run({"--doc", (folder / "bad.bx0").string()}).err.find("bad.bx0"), std::string::npos);
}

TEST_F(VeskQueryTest, FilesThatCannotBeReadOrWrittenAreRefusedByNameWithoutWaiting)
{
    if (!SpecialFiles::available) GTEST_SKIP() << "no pipes, sockets or devices in the file system here";
    const SpecialFiles special(folder.path());
    writeAll(folder / "cut.dat", readAll(folder / "vesk.dat").substr(0, 60));
    writeAll(folder / "huge.bx0", "");
    std::filesystem::resize_file(folder / "huge.bx0", documentFile.largest + 1);  // sparse
    std::filesystem::create_directory(folder / "folder");
    const auto named = [](const std::filesystem::path& path) { return "veskquery: " + quotedPath(path) + " "; };
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string said;
    };
    const Case cases[] = {
        {{"--data", special.fifo.string()}, 2, named(special.fifo) + "is not a regular file\n"},
        {{"--data", "/dev/zero"}, 2, named("/dev/zero") + "is not a regular file\n"},
        {{"--data", (folder / "folder").string()}, 2, named(folder / "folder") + "is not a regular file\n"},
        {{"--data", (folder / "cut.dat").string()}, 2,
         named(folder / "cut.dat") + "is damaged: its 60 bytes end before its last end marker. 2 towers (the last "
                                     "perhaps only in part), 0 counties, 0 dedications and 0 web addresses could be read.\n"},
        {{"--doc", special.socket.string()}, 2, named(special.socket) + "is not a regular file\n"},
        {{"--doc", "/dev/zero"}, 2, named("/dev/zero") + "is not a regular file\n"},
        {{"--doc", (folder / "huge.bx0").string()}, 2,
         named(folder / "huge.bx0") + "is larger than any document can be (167767041 bytes, at most 167767040)\n"},
        {{"--output", special.fifo.string()}, 1, named(special.fifo) + "is not a regular file\n"},
        {{"--save-doc", (folder / "folder").string()}, 1, named(folder / "folder") + "is not a regular file\n"},
        {{"--output", (folder / "none" / "x.csv").string()}, 1,
         named(folder / "none" / "x.csv") + "cannot be written: No such file or directory\n"},
    };
    for (const Case& c : cases) {
        const bool refused = finishesWithin(10, [&] {
            const Result result = run(c.arguments);
            return result.status == c.status && result.out.empty() && result.err == c.said;
        });
        EXPECT_TRUE(refused) << c.arguments[0] << " " << c.arguments[1];
    }
}

// The output never replaces a file the run reads or saves, under its own name or another link;
// a document may be saved over the one it was read from, as the viewer's Save does.
TEST_F(VeskQueryTest, OutputIsRefusedOverAFileTheRunReadsOrSaves)
{
    const std::string data = (folder / "vesk.dat").string();
    const std::string document = (folder / "notes.bx0").string();
    ASSERT_EQ(run({"--save-doc", document}).status, 0);
    std::error_code noLinks;  // Windows may not let a user make one: the name itself then
    std::filesystem::create_symlink(document, folder / "link.bx0", noLinks);
    const std::string link = noLinks ? document : (folder / "link.bx0").string();
    const std::string dataBytes = readAll(data);
    const std::string documentBytes = readAll(document);
    const std::string refusal = "veskquery: --output " + quotedPath(document) + " is the file of ";
    const std::string fresh = (folder / "fresh.bx0").string();
    std::filesystem::create_symlink("fresh.bx0", folder / "dangling.bx0", noLinks);
    const std::string dangling = noLinks ? fresh : (folder / "dangling.bx0").string();
    struct Case {
        std::vector<std::string> arguments;
        std::string said;
    };
    const Case cases[] = {
        {{"--output", data, "--ids"}, "veskquery: --output " + quotedPath(data) + " is the file of --data, which it would replace\n"},
        {{"--doc", link, "--output", document}, refusal + "--doc, which it would replace\n"},
        {{"--save-doc", (folder / "." / "notes.bx0").string(), "--output", document, "--csv"},
         refusal + "--save-doc, which it would replace\n"},
        {{"--save-doc", data}, "veskquery: --save-doc " + quotedPath(data) + " is the file of --data, which it would replace\n"},
        // A link to a file not there yet, which a write makes.
        {{"--save-doc", fresh, "--output", dangling}, "veskquery: --output " + quotedPath(dangling) +
                                                         " is the file of --save-doc, which it would replace\n"},
    };
    for (const Case& c : cases) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.said;
        EXPECT_EQ(result.err, c.said);
    }
    EXPECT_EQ(readAll(data), dataBytes);
    EXPECT_EQ(readAll(document), documentBytes);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(run({"--doc", document, "--save-doc", link}).status, 0);
}

TEST_F(VeskQueryTest, OutputFileIsReplacedOnlyWhenWholeAndACentreMustNameAPlace)
{
    const std::string file = (folder / "towers.csv").string();
    ASSERT_EQ(run({"--output", file, "--ids"}).status, 0);
    EXPECT_EQ(readAll(file), idLines({"Aston", "Bexley", "Chart", "Dunton", "Easton", "Fenby"}));
    const bool keptWhole = !FileSizeLimit::available || finishesWithin(10, [&] {
        const FileSizeLimit diskFull(20);
        const Result failed = run({"--output", file, "--list"});
        return failed.status == 1 && failed.err == "veskquery: " + quotedPath(file) +
                                                       " cannot be written: File too large\n";
    });
    EXPECT_TRUE(keptWhole);
    EXPECT_EQ(readAll(file), idLines({"Aston", "Bexley", "Chart", "Dunton", "Easton", "Fenby"}));

    for (const char* text : {"hello", "ZZ999999", "TQ1066", "TQ 102 665", ""}) {
        const Result refused = run({"--centre", text});
        EXPECT_EQ(refused.status, 2) << text;
        EXPECT_EQ(refused.err, "veskquery: centre \"" + std::string(text) +
                                   "\" is not a grid reference such as TQ102665 or O 153340\n");
    }
    const Result lower = run({"--centre", "su123456", "--and", "distance", "0", "1", "--ids"});
    EXPECT_EQ(lower.out, idLines({"Dunton"}));
}

TEST_F(VeskQueryTest, HelpPrintsTheUsage)
{
    const Result result = run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, veskQueryUsage);
}

// The built program, run in a folder holding vesk.dat as a script would run it.
class VeskQueryProgramTest : public VeskQueryTest {
protected:
    Result runProgram(const std::vector<std::string>& arguments)
    {
        const ProgramRun run = ::runProgram(BELFRIX_BINARY_DIR "/cli/veskquery", arguments, folder.path());
        return {run.status, run.out, run.error};
    }
};

TEST_F(VeskQueryProgramTest, ReadsVeskDatFromTheWorkingFolder)
{
    const Result result = runProgram({"--and", "no of bells", "6", "8", "--sort-desc", "no of bells"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, lines({chart, aston, bexley}));
    EXPECT_EQ(result.err, "");

    const Result csv = runProgram({"--and", "place name", "Aston", "Aston", "--csv"});
    EXPECT_EQ(csv.out,
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n"
              "\"Aston\",\"Midshire\",\"S Mary\",,8,\"0-0-0\",,,\"Thu\",19.30,\"TQ102665\",\"www.aston.org.uk\"\r\n");
}

TEST_F(VeskQueryProgramTest, OutputThatCannotBeWrittenIsSaidWithTheReason)
{
    if (!SpecialFiles::available) GTEST_SKIP() << "no /dev/full and no shell pipes here";
    // More than a pipe holds, so a reader that is gone is met whenever it goes.
    UserFieldSlots slots;
    slots[0] = UserField{"Notes", FieldType::String, {}, {{ids.at("Aston"), std::string(1 << 20, 'x')}}};
    const TowerDatabase directory(folder / "vesk.dat");
    writeAll(folder / "big.bx0", encodeDocument("TQ102665", 50000, slots, {valueOwners(slots, directory), {}}));
    const std::string veskquery = "'" BELFRIX_BINARY_DIR "/cli/veskquery' --doc big.bx0 --list";
    const std::pair<std::string, std::string> cases[] = {
        {"{ " + veskquery + " >/dev/full 2>stderr.txt; echo $? >status.txt; }", "No space left on device"},
        {"{ " + veskquery + " 2>stderr.txt; echo $? >status.txt; } | true", "Broken pipe"},
    };
    for (const auto& [command, reason] : cases) {
        ASSERT_EQ(std::system(("cd '" + folder.path().string() + "' && " + command).c_str()), 0);
        EXPECT_EQ(readAll(folder / "status.txt"), "1\n") << command;
        EXPECT_EQ(readAll(folder / "stderr.txt"), "veskquery: cannot write the output: " + reason + "\n");
    }
}

TEST_F(VeskQueryProgramTest, BadUseExitsWithStatusTwo)
{
    const Result result = runProgram({"--sort"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "veskquery: option --sort needs an argument\n");
}

}  // namespace
