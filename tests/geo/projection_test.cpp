#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "geo/ellipsoid.h"
#include "geo/national_grid.h"
#include "geo/utm.h"
#include "tests/support/reference_table.h"

namespace {

// Positions computed by PROJ from the national grid to OSGB36 latitude and longitude.
TEST(NationalGrid, AgreesWithProjOverTheWholeGrid)
{
    const auto rows = readReferenceTable("grid_to_latlong.csv");
    ASSERT_GE(rows.size(), 50u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 5u);
        SCOPED_TRACE(row[0] + "," + row[1]);
        const LatLong place = gridToLatLong(std::stod(row[0]), std::stod(row[1]));
        const double tolerance = std::stod(row[4]);
        EXPECT_NEAR(place.latitude, std::stod(row[2]), tolerance);
        EXPECT_NEAR(place.longitude, std::stod(row[3]), tolerance);
    }
}

// UTM on WGS-84 computed by PROJ, with the zone each row's place must fall in. The rows' 2 cm
// tolerance is the PI = 3.14159265 bias (an angle 1.14e-9 of itself too small: 1.1 cm of
// northing at 84 degrees) with room for the series, good to a millimetre inside a zone.
TEST(Utm, AgreesWithProjAndChoosesTheZone)
{
    const auto rows = readReferenceTable("latlong_to_utm.csv");
    ASSERT_GE(rows.size(), 20u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u);
        SCOPED_TRACE(row[0] + "," + row[1]);
        const UtmReference utm = latLongToUtm(wgs84Ellipsoid, std::stod(row[0]), std::stod(row[1]));
        const double tolerance = std::stod(row[5]);
        EXPECT_EQ(utm.zone, row[2]);
        EXPECT_NEAR(utm.easting, std::stod(row[3]), tolerance);
        EXPECT_NEAR(utm.northing, std::stod(row[4]), tolerance);
    }
}

struct ZoneCase {
    double latitude;
    double longitude;
    const char* zone;
};

TEST(Utm, ZoneTextsAtTheEdges)
{
    const std::vector<ZoneCase> cases = {
        {51.5, -0.1, "30U"},
        {60, 5, "32V"},
        {75, 10, "33X"},
        {84, 0, "31X"},
        {84.2, 0, "31Z"},
        {-33.9, 18.4, "34H"},
        {0, 180, "1N"},
        {0, -180, "1N"},
        {-80, 0, "31C"},
        {-80.5, 0, "31Z"},
        {56, 3, "32V"},
        {64, 3, "31W"},
        {72, 0, "31X"},
        {72, 42, "38X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        EXPECT_EQ(latLongToUtm(wgs84Ellipsoid, c.latitude, c.longitude).zone, c.zone);
    }
}

TEST(Utm, FiguresOfTheWorkedExamples)
{
    const UtmReference london = latLongToUtm(wgs84Ellipsoid, 51.5, -0.1);
    EXPECT_NEAR(london.easting, 701278, 1);
    EXPECT_NEAR(london.northing, 5709417, 1);

    const UtmReference capeTown = latLongToUtm(wgs84Ellipsoid, -33.9, 18.4);
    EXPECT_NEAR(capeTown.northing, 6245888, 1);

    const UtmReference dateLine = latLongToUtm(wgs84Ellipsoid, 0, 180);
    EXPECT_NEAR(dateLine.easting, 166021, 1);
    EXPECT_NEAR(dateLine.northing, 0, 1e-6);
}

// Far-off map centres can reach the conversion with any numbers; they must give a text, never
// an integer overflow.
TEST(Utm, OutlandishInputsStillGiveAZone)
{
    for (const double longitude : {1e300, -1e300, 1e12, std::nan("")}) {
        SCOPED_TRACE(longitude);
        const UtmReference utm = latLongToUtm(wgs84Ellipsoid, 50, longitude);
        EXPECT_FALSE(utm.zone.empty());
        EXPECT_EQ(utm.zone.back(), 'U');
    }
    EXPECT_EQ(latLongToUtm(wgs84Ellipsoid, std::nan(""), 0).zone, "31Z");
}

TEST(Utm, BandLetters)
{
    const std::string southToNorth = "CDEFGHJKLMNPQRSTUVWX";
    for (std::size_t band = 0; band < southToNorth.size(); ++band) {
        const double south = -80.0 + 8.0 * static_cast<double>(band);
        SCOPED_TRACE(south);
        EXPECT_EQ(utmBandLetter(south), southToNorth[band]);
        EXPECT_EQ(utmBandLetter(south + 7.999), southToNorth[band]);
    }
    EXPECT_EQ(utmBandLetter(84), 'X');
    EXPECT_EQ(utmBandLetter(84.0001), 'Z');
    EXPECT_EQ(utmBandLetter(-80.0001), 'Z');
    EXPECT_EQ(utmBandLetter(std::nan("")), 'Z');
}

// Names are shown as they are, trailing blanks and all.
TEST(Ellipsoid, TableKeepsItsNamesAndIndexes)
{
    ASSERT_EQ(ellipsoidTable.size(), 24u);
    EXPECT_EQ(ellipsoidTable[0].id, -1);
    for (std::size_t index = 1; index < ellipsoidTable.size(); ++index)
        EXPECT_EQ(ellipsoidTable[index].id, static_cast<std::int32_t>(index));
    EXPECT_EQ(ellipsoidTable[4].name, "Bessel 1841 (Nambia) ");
    EXPECT_EQ(ellipsoidTable[8].name, "Fischer 1960 (Mercury) ");
    EXPECT_EQ(ellipsoidTable[wgs84Ellipsoid].name, "WGS-84");
}

} // namespace
