// The committed outline map: its shape as a file, and whether it puts the coast where the
// coast is. Reference places were projected with PROJ's cs2cs (EPSG:4326 to EPSG:27700, or to
// EPSG:29903 and then shifted by the Irish offset), not by anything in this program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "geo/outline_loader.h"
#include "tools/land_mask.h"

namespace {

const MapOutline& committedOutline()
{
    static const MapOutline outline = readOutlineFile(std::string(BELFRIX_SOURCE_DIR) + "/data/map.dat").outline;
    return outline;
}

// Distance in 100 m units from p to the nearest coastline segment.
double distanceToCoast(Position p)
{
    double best = std::numeric_limits<double>::max();
    for (const auto& polyline : committedOutline().layers.at(0).polylines) {
        for (std::size_t i = 1; i < polyline.points.size(); ++i) {
            const double ax = polyline.points[i - 1].x, ay = polyline.points[i - 1].y;
            const double dx = polyline.points[i].x - ax, dy = polyline.points[i].y - ay;
            const double length2 = dx * dx + dy * dy;
            double t = length2 == 0 ? 0 : ((p.x - ax) * dx + (p.y - ay) * dy) / length2;
            t = std::fmax(0.0, std::fmin(1.0, t));
            best = std::fmin(best, std::hypot(ax + t * dx - p.x, ay + t * dy - p.y));
        }
    }
    return best;
}

struct Place {
    const char* name;
    Position position;
};

} // namespace

TEST(OutlineMap, HasCoastBordersAndRiversWithinTheFileLimits)
{
    const auto& outline = committedOutline();
    ASSERT_EQ(outline.layers.size(), 3u) << "coastlines and lakes, borders, rivers";

    std::size_t totalPoints = 0;
    std::size_t openShores = 0;
    for (const auto& layer : outline.layers) {
        EXPECT_FALSE(layer.polylines.empty());
        for (const auto& polyline : layer.polylines) {
            ASSERT_GE(polyline.points.size(), 2u);
            totalPoints += polyline.points.size();
        }
    }
    for (const auto& polyline : outline.layers[0].polylines) {
        if (!(polyline.points.front() == polyline.points.back())) ++openShores;
    }
    EXPECT_GE(totalPoints, 20000u);
    EXPECT_LE(totalPoints, 40000u);
    EXPECT_GE(outline.layers[0].polylines.size(), 500u) << "islands of the west and north";
    // Only the French coast, cut by the edge of the extract, is left open; every British and
    // Irish shore is a ring.
    EXPECT_LE(openShores, 3u);
}

TEST(OutlineMap, LinesJoinedFromTheirPiecesHaveNoJumps)
{
    // The source cuts every line into pieces at the edges of its tiles; a piece joined the wrong
    // way round shows as a straight stroke tens of kilometres long across the country.
    for (std::size_t layer = 0; layer < committedOutline().layers.size(); ++layer) {
        double longest = 0;
        for (const auto& polyline : committedOutline().layers[layer].polylines) {
            for (std::size_t i = 1; i < polyline.points.size(); ++i) {
                const auto& a = polyline.points[i - 1];
                const auto& b = polyline.points[i];
                longest = std::fmax(longest, std::hypot(double(b.x - a.x), double(b.y - a.y)));
            }
        }
        EXPECT_LT(longest, 200.0) << "layer " << layer;
    }
}

TEST(OutlineMap, CoastRunsPastKnownCoastalPlaces)
{
    const Place coastal[] = {
        {"Land's End", {1342, 251}},
        {"Dover", {6319, 1417}},
        {"John o' Groats", {3380, 9734}},
        {"Dun Laoghaire, Dublin", {1268, 3960}},
        {"Galway", {-682, 3922}},
        {"Cork", {-304, 2391}},
        {"Dingle, Kerry", {-1530, 2683}},
    };
    for (const auto& place : coastal) {
        EXPECT_LT(distanceToCoast(place.position), 20.0) << place.name;
    }
}

TEST(OutlineMap, IrelandLiesWestOfTheFalseOriginInSignedCoordinates)
{
    // Kerry and west Cork land at negative eastings once shifted; a file read as unsigned
    // words would put them 6500 km east.
    std::int32_t westmost = std::numeric_limits<std::int32_t>::max();
    for (const auto& polyline : committedOutline().layers[0].polylines)
        westmost = std::min(westmost, polyline.minX);
    EXPECT_LT(westmost, -1500);
    EXPECT_GT(westmost, -2000);
}

TEST(OutlineMap, LandMaskTellsLandFromSeaAndLakes)
{
    const LandMask land(committedOutline());
    const Place dry[] = {
        {"Birmingham", {4075, 2876}},
        {"Carlisle", {3424, 5565}},
        {"inland of Dublin", {1089, 4017}},
        {"Athlone", {63, 4087}},
        {"west of Cork", {-390, 2337}},
    };
    const Place wet[] = {
        {"Irish Sea", {2025, 4379}},
        {"North Sea", {6652, 4078}},
        {"Bristol Channel", {2817, 1626}},
        {"Galway Bay", {-845, 3846}},
        {"Lough Neagh", {1044, 5424}},
        {"Loch Lomond", {2370, 6906}},
    };
    for (const auto& place : dry) EXPECT_TRUE(land.isLand(place.position)) << place.name;
    for (const auto& place : wet) EXPECT_FALSE(land.isLand(place.position)) << place.name;
}
