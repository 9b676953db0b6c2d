#include <optional>
#include <sstream>

#include "geo/wgs84.h"
#include "query/csv_export.h"
#include "query/gps_exports.h"
#include "query/selection.h"
#include "tests/query/query_fixture.h"

namespace {

constexpr const char* dorn = "Dorn\r\tX";

// A place name that needs XML and JSON care, an Irish tower named in Irish, a tower without a
// position between them, and a one-bell tower with a web address and white space in its name.
class GpsExportsTest : public QueryTest {
protected:
    void SetUp() override
    {
#ifdef BELFRIX_WITHOUT_PROJ
        GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
        toWgs84.emplace();
        load({
            "Ash & <Elm>\\Kent\\S \"Mary\"\\TQ102665\\8",
            "Baile \xC1tha Cliath\\Dublin\\S Patrick\\O 153340\\10",
            "Cole\\Hants\\S Peter\\\\6",
            "Dorn\r\tX\\Kent\\S John\\TQ352665\\1\\\\\\\\\\\\\\\\\\\\www.dorn.org/a&b",
        });
        database.centre = {5102, 1665};
        recomputeDisplayed(database, fields);
    }

    std::optional<Wgs84Converter> toWgs84;  // made once PROJ is known to be there
};

TEST_F(GpsExportsTest, GpxHoldsAWaypointForEachPlacedTowerInDisplayOrder)
{
    std::ostringstream out;
    const GpsExportCounts counts = writeGpx(out, database, fields, system, *toWgs84);
    EXPECT_EQ(counts.written, 3);
    EXPECT_EQ(counts.leftOut, 1);
    const std::string gpx = out.str();
    EXPECT_TRUE(gpx.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\""));
    EXPECT_NE(gpx.find("<!-- 1 tower without a position is left out -->"), std::string::npos);
    // TQ102665 by cs2cs: 51.387294827, -0.416969872.
    const auto ash = gpx.find("<wpt lat=\"51.387295\" lon=\"-0.416970\">\n  <name>Ash &amp; &lt;Elm&gt;</name>");
    const auto dublin = gpx.find("<name>Baile \xC3\x81tha Cliath</name>");
    // White space as written, not as a reader would tidy it.
    const auto dorn = gpx.find("<name>Dorn&#13;&#9;X</name>");
    EXPECT_NE(ash, std::string::npos);
    EXPECT_NE(dorn, std::string::npos);
    EXPECT_LT(ash, dublin);
    EXPECT_LT(dublin, dorn);
    EXPECT_NE(gpx.find("<wpt lat=\"53.344340\" lon=\"-6.268790\">"), std::string::npos);  // O 153340
    EXPECT_NE(gpx.find("<desc>Ash &amp; &lt;Elm&gt;, Kent, S &quot;Mary&quot;, 8 TQ102665 </desc>"),
              std::string::npos);
    EXPECT_NE(gpx.find("<link href=\"http://www.dorn.org/a&amp;b\"/>\n  <type>1 bell</type>"), std::string::npos);
    EXPECT_NE(gpx.find("<type>10 bells</type>"), std::string::npos);
    EXPECT_EQ(gpx.find("Cole"), std::string::npos);
    EXPECT_TRUE(gpx.ends_with("</wpt>\n</gpx>\n"));
}

TEST_F(GpsExportsTest, GeoJsonCarriesTheExportsColumnsAndTheTowerId)
{
    fields = UserFields{};
    fields[2] = UserField{"Notes \"n\"", FieldType::String, {}, {{idOf(dorn), "line\none\x01"}}};
    std::ostringstream out;
    const GpsExportCounts counts = writeGeoJson(out, database, fields, system, *toWgs84);
    EXPECT_EQ(counts.written, 3);
    EXPECT_EQ(counts.leftOut, 1);
    const std::string json = out.str();
    EXPECT_TRUE(json.starts_with("{\"type\":\"FeatureCollection\",\"features\":[\n{\"type\":\"Feature\""));
    EXPECT_NE(json.find("\"coordinates\":[-0.416970,51.387295]},\"properties\":{\"TowerId\":" +
                        std::to_string(idOf("Ash & <Elm>")) +
                        ",\"place\":\"Ash & <Elm>\",\"county\":\"Kent\",\"dedication\":\"S \\\"Mary\\\"\","
                        "\"gf\":\"\",\"bells\":8,"),
              std::string::npos);
    EXPECT_NE(json.find("\"grid ref\":\"TQ352665\",\"www\":\"www.dorn.org/a&b\",\"Notes \\\"n\\\"\":\"line\\none\\u0001\"}}"),
              std::string::npos);
    EXPECT_NE(json.find("\"place\":\"Baile \xC3\x81tha Cliath\""), std::string::npos);
    EXPECT_TRUE(json.ends_with("}}\n]}\n"));

    // Its properties are the CSV row's cells, column by column.
    std::vector<ExportCell> cells;
    exportCells(towerOf(dorn), database, fields, system, fields.namedSlots(), cells);
    std::string row;
    for (const ExportCell& cell : cells) {
        if (!row.empty()) row += ',';
        row += cell.isNumber || cell.text.empty() || cell.name == "gf" || cell.name == "note" ||
                       cell.name == "ringable" || cell.name == "time"
                   ? cell.text
                   : csvQuote(cell.text);
    }
    EXPECT_EQ(row, csvRow(towerOf(dorn), database, fields, system));

    // A field named like a property before it is told apart, so that a reader keeps every value.
    fields[0] = UserField{"place", FieldType::String, {}, {}};
    fields[1] = UserField{"Seen", FieldType::Number, {}, {}};
    fields[3] = UserField{"Seen", FieldType::Number, {}, {}};
    fields[4] = UserField{"TowerId", FieldType::Number, {}, {}};
    fields[5] = UserField{"Seen (2)", FieldType::Number, {}, {}};  // its own name, not the second Seen's
    std::ostringstream named;
    writeGeoJson(named, database, fields, system, *toWgs84);
    EXPECT_NE(named.str().find("\"www\":\"www.dorn.org/a&b\",\"place (2)\":\"\",\"Seen\":\"\",\"Notes \\\"n\\\"\":"
                               "\"line\\none\\u0001\",\"Seen (3)\":\"\",\"TowerId (2)\":\"\",\"Seen (2)\":\"\"}}"),
              std::string::npos)
        << named.str();
    fields = UserFields{};
}

TEST_F(GpsExportsTest, NoTowerDisplayedGivesEmptyButWholeFiles)
{
    SelectionStep none;
    none.field = selectBells;
    none.fromText = none.toText = "99";
    changeSelection(database, fields, none);
    recomputeDisplayed(database, fields);
    std::ostringstream gpx, json;
    EXPECT_EQ(writeGpx(gpx, database, fields, system, *toWgs84).written, 0);
    EXPECT_EQ(writeGeoJson(json, database, fields, system, *toWgs84).written, 0);
    EXPECT_TRUE(gpx.str().ends_with("<gpx version=\"1.1\" creator=\"Belfrix\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n</gpx>\n"));
    EXPECT_EQ(json.str(), "{\"type\":\"FeatureCollection\",\"features\":[\n]}\n");
}

}  // namespace
