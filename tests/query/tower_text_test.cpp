#include <gtest/gtest.h>

#include <sstream>

#include "query/csv_export.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/tower_text.h"
#include "query_fixture.h"

namespace {

TEST(ValueTexts, EncodedFieldsAsTheDirectoryWritesThem)
{
    auto weight = [](std::int32_t pounds, bool approx) {
        Tower tower;
        tower.weight = pounds;
        tower.approxWeight = approx;
        return formatWeight(tower);
    };
    EXPECT_EQ(weight(1414, false), "12-2-14");
    EXPECT_EQ(weight(1400, true), "12-2-0 Approx");
    EXPECT_EQ(weight(0, false), "0-0-0");
    EXPECT_EQ(weight(111, false), "0-3-27");
    EXPECT_EQ(weight(-30, false), "0--1--2");  // truncation toward zero, remainders signed

    const std::vector<std::pair<std::int32_t, const char*>> notes = {
        {0, ""}, {3, "Ab"}, {4, "A"}, {5, "A#"}, {19, "F"}, {21, "Gb"}, {23, "G#"}, {15, "Eb"},
        // as read from notes "1", "1#", "=", "\xE9" (e acute) and "\xE9b"
        {-44, "1"}, {-43, "1#"}, {-8, "="}, {-260, "\xE9"}, {-261, "\xE9" "b"}};
    for (auto [code, text] : notes) EXPECT_EQ(formatNote(code), text) << code;

    const std::vector<std::pair<std::int32_t, const char*>> nights = {
        {0, "xxx"}, {1, "Sun"}, {7, "Sat"}, {12, "-Wed"}, {23, "+Sat"}, {26, "+-Mon"}, {10, "-Mon"}, {8, "-xxx"}};
    for (auto [code, text] : nights) EXPECT_EQ(formatNight(code), text) << code;

    const std::vector<std::pair<std::int32_t, const char*>> times = {
        {1170, "19.30"}, {545, "9.05"}, {0, "0.00"}, {1140, "19.00"}, {59, "0.59"}};
    for (auto [minutes, text] : times) EXPECT_EQ(formatTime(minutes), text) << minutes;
}

class TowerTextTest : public DirectoryTest {
protected:
    void SetUp() override
    {
        DirectoryTest::SetUp();
        fields[0] = {"Visited", FieldType::Date, {}, {}};
        fields.setNumber(0, idOf("Easton"), 146712);  // 7 September 2002
    }
};

TEST_F(TowerTextTest, DescriptionsOneLineAndFull)
{
    const Tower& easton = towerOf("Easton");
    EXPECT_EQ(towerDescription(&easton, database, false, fields, system), "Easton, Midshire, S Mary");
    EXPECT_EQ(towerDescription(&easton, database, true, fields, system),
              "Easton, Midshire, S Mary (GF), 8, 12-2-14 Approx in F Wed 19.30 SU123456 AB1 2CD Visited: 7/9/2002");
    EXPECT_EQ(towerDescription(&towerOf("abbey"), database, false, fields, system), "abbey");
    EXPECT_EQ(towerDescription(&towerOf("abbey"), database, true, fields, system), "abbey  ");
    EXPECT_EQ(towerDescription(&towerOf("Czza"), database, true, fields, system),
              "Czza, Kent, S Peter, 5, 6-1-0 in A# Unringable Wed 19.30 TQ181160 ");
    EXPECT_EQ(towerDescription(&towerOf("Gorran"), database, true, fields, system),
              "Gorran, Cornwall, S Just Unringable SW900400  http://example.org/gorran");
    EXPECT_EQ(towerDescription(nullptr, database, true, fields, system), "No tower details");
    EXPECT_EQ(towerDescription(nullptr, database, false, fields, system), "No tower details");
    // A directory compiled from CR LF lines keeps a carriage return in each line's last text; the
    // description stays on one line.
    load({"Crlf\\Kent\\S Anne" + std::string(12, '\\') + "www.x.org\r"});
    EXPECT_TRUE(towerDescription(&towerOf("Crlf"), database, true, fields, system).ends_with("http://www.x.org "));

    system = ReferenceSystem::UTM;
    EXPECT_EQ(towerDescription(&towerOf("Fenny"), database, true, fields, system), "Fenny, Kent, S Mary, 3 in Eb Sun 30U:(679,5696) ");
}

TEST(WebLink, HttpIsPutInFrontOnlyOfAnAddressWithoutAScheme)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"www.aston.org.uk", "http://www.aston.org.uk"},
        {"http://www.a.org/x", "http://www.a.org/x"},
        {"https://www.a.org", "https://www.a.org"},
        {"HTTP://WWW.A.ORG", "HTTP://WWW.A.ORG"},
        {"httpd.example.org", "http://httpd.example.org"},
        {"https:", "http://https:"},
    };
    for (const auto& [address, link] : cases) EXPECT_EQ(webLink(address), link) << address;
}

TEST_F(TowerTextTest, CsvRowsWriteEveryColumn)
{
    EXPECT_EQ(csvQuote(""), "\"\"");
    EXPECT_EQ(csvQuote("say \"hi\""), "\"say \"\"hi\"\"\"");

    EXPECT_EQ(csvRow(towerOf("Easton"), database, fields, system),
              "\"Easton\",\"Midshire\",\"S Mary\",(GF),8,\"12-2-14 Approx\",F,,\"Wed\",19.30,\"SU123456\",\"\",7/9/2002");
    EXPECT_EQ(csvRow(towerOf("abbey"), database, fields, system), "\"abbey\",\"\",\"\",,0,\"0-0-0\",,,\"xxx\",0.00,\"\",\"\",");
    EXPECT_EQ(csvRow(towerOf("Gorran"), database, fields, system),
              "\"Gorran\",\"Cornwall\",\"S Just\",,0,\"0-0-0\",, Unringable,\"xxx\",0.00,\"SW900400\",\"example.org/gorran\",");

    // A note's letter is any byte: one a reader would take for a cell's end is quoted.
    Tower oddNote = towerOf("abbey");
    for (auto [code, cell] : {std::pair{709, "\",\""}, {710, "\",#\""}, {679, "\"\"\"\""}, {607, "\"\n\""}, {19, "F"}}) {
        oddNote.note = code;
        EXPECT_EQ(csvRow(oddNote, database, fields, system),
                  "\"abbey\",\"\",\"\",,0,\"0-0-0\"," + std::string(cell) + ",,\"xxx\",0.00,\"\",\"\",");
    }

    fields[3] = {"Say \"when\"", FieldType::String, {}, {}};
    fields[3].texts[idOf("Bath")] = "a, \"b\"";
    system = ReferenceSystem::UTM;
    EXPECT_EQ(csvHeader(fields),
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www,\"Visited\",\"Say \"\"when\"\"\"");
    EXPECT_EQ(csvRow(towerOf("Fenny"), database, fields, system),
              "\"Fenny\",\"Kent\",\"S Mary\",,3,\"0-0-0\",Eb,,\"Sun\",0.00,\"30U:(679,5696)\",\"\",,\"\"");
    EXPECT_EQ(csvRow(towerOf("Bath"), database, fields, system).substr(0, 30), "\"Bath\",\"Somerset\",\"S Mary\",,8,");
    std::string bath = csvRow(towerOf("Bath"), database, fields, system);
    EXPECT_EQ(bath.substr(bath.size() - 12), ",,\"a, \"\"b\"\"\"");
}

TEST_F(TowerTextTest, ExportWritesTheDisplayedTowersInOrderWithCrLf)
{
    fields[0].name.clear();
    setDefaultSortKeys(database);
    SelectionStep kent;
    kent.field = selectCounty;
    kent.fromText = kent.toText = "Kent";
    applySelectionStep(database, fields, kent);

    std::ostringstream out;
    writeCsv(out, database, fields, system);
    EXPECT_EQ(out.str(),
              "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n"
              "\"Czza\",\"Kent\",\"S Peter\",,5,\"6-1-0\",A#, Unringable,\"Wed\",19.30,\"TQ181160\",\"\"\r\n"
              "\"Fenny\",\"Kent\",\"S Mary\",,3,\"0-0-0\",Eb,,\"Sun\",0.00,\"TQ102665\",\"\"\r\n");

    applySelectionStep(database, fields, SelectionStep{false, selectGroundFloor, false, 0, 0, "", "", StepMode::And});
    std::ostringstream empty;
    writeCsv(empty, database, fields, system);
    EXPECT_EQ(empty.str(), "place,county,dedication,gf,bells,weight,note,ringable,night,time,grid ref,www\r\n");
}

}  // namespace
