#include <gtest/gtest.h>

#include "geo/wgs84.h"
#include "tests/support/reference_table.h"

namespace {

// cs2cs prints nine decimals; the same transformations agree far closer than a millimetre.
constexpr double tolerance = 1e-8;

TEST(Wgs84, NationalAndIrishPositionsAgreeWithProj)
{
#ifdef BELFRIX_WITHOUT_PROJ
    GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
    const auto rows = readReferenceTable("wgs84_positions.csv");
    ASSERT_GE(rows.size(), 19u);
    const Wgs84Converter toWgs84;
    std::vector<Position> positions;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 4u);
        SCOPED_TRACE(row[0] + "," + row[1]);
        const Position position{std::stoi(row[0]), std::stoi(row[1])};
        positions.push_back(position);
        const auto converted = toWgs84(position);
        ASSERT_TRUE(converted.has_value());
        EXPECT_NEAR(converted->latitude, std::stod(row[2]), tolerance);
        EXPECT_NEAR(converted->longitude, std::stod(row[3]), tolerance);
    }
    // Converted together, in one array per grid, they come out the same and in order.
    positions.insert(positions.begin() + 3, Position{});
    const auto together = toWgs84.convert(positions);
    ASSERT_EQ(together.size(), positions.size());
    EXPECT_FALSE(together[3].has_value());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i == 3) continue;
        ASSERT_TRUE(together[i].has_value());
        EXPECT_EQ(together[i]->latitude, toWgs84(positions[i])->latitude);
        EXPECT_EQ(together[i]->longitude, toWgs84(positions[i])->longitude);
    }
}

TEST(Wgs84, NoPositionHasNoLatitude)
{
#ifdef BELFRIX_WITHOUT_PROJ
    GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
    const Wgs84Converter toWgs84;
    EXPECT_FALSE(toWgs84(Position{}).has_value());
    EXPECT_TRUE(toWgs84.convert({}).empty());
}

}  // namespace
