#include <gtest/gtest.h>

#include <sstream>

#include "cli/veskquery.h"
#include "tests/document/doc_test_support.h"
#include "tests/support/program_run.h"

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
        for (const auto& [id, tower] : database.towers()) ids[tower.place] = id;
    }
    void TearDown() override { resetViewerSettings(); }

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

    // GeoJSON notes the tower it leaves out; both formats stay UTF-8 whatever --encoding says.
    const Result json = run({"--geojson", "--encoding", "utf-8"});
    EXPECT_EQ(json.err, "veskquery: 1 tower without a position left out\n");
    EXPECT_EQ(json.out, run({"--geojson"}).out);
    EXPECT_NE(run({"--gpx"}).out.find("<!-- 1 tower without a position is left out -->"), std::string::npos);
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

TEST_F(VeskQueryTest, BadUseIsOneLineOnStandardErrorAndStatusTwo)
{
    writeAll(folder / "bad.bx0", "\x08TQ10"s);
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

TEST_F(VeskQueryProgramTest, BadUseExitsWithStatusTwo)
{
    const Result result = runProgram({"--sort"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "veskquery: option --sort needs an argument\n");
}

}  // namespace
