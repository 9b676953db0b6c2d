// The viewer's database: distances from the reference point and the displayed towers by position.
#include <gtest/gtest.h>

#include "query/tower_database.h"
#include "tests/support/bytes.h"

namespace {

TEST(TowerDatabase, SquaredDistanceFromTheReferencePoint)
{
    TowerDatabase database;
    database.centre = {100, 200};
    Tower near;
    near.position = {103, 204};
    Tower far;
    far.position = {30100, 200};
    Tower nowhere;
    EXPECT_DOUBLE_EQ(database.squaredDistance(near), 25.0);
    EXPECT_DOUBLE_EQ(database.squaredDistance(far), 9e8);
    EXPECT_DOUBLE_EQ(database.squaredDistance(nowhere), 1e20);
    database.distanceReference = &far;
    EXPECT_DOUBLE_EQ(database.squaredDistance(near), 29997.0 * 29997.0 + 16.0);
    EXPECT_DOUBLE_EQ(database.squaredDistance(far), 0.0);
    EXPECT_DOUBLE_EQ(database.squaredDistance(nowhere), 1e20);
    // Coordinates from a hostile file must not overflow on the way.
    Tower extreme;
    extreme.position = {-2147483647 - 1, 0};
    database.distanceReference = nullptr;
    database.centre = {2147483647, 0};
    EXPECT_DOUBLE_EQ(database.squaredDistance(extreme), 4294967295.0 * 4294967295.0);
}

TEST(TowerDatabase, DisplayedTowerByPosition)
{
    TowerDatabase database{TagReader(bytesOf({0x0B, 5, 0x0B, 9, 0xFF, 0xFF, 0xFF, 0xFF}))};
    database.displayOrder = {9, 5, 77};
    EXPECT_EQ(database.displayedCount(), 3);
    ASSERT_NE(database.displayedTower(0), nullptr);
    EXPECT_EQ(database.displayedTower(0)->id, 9);
    EXPECT_EQ(database.displayedTower(1)->id, 5);
    EXPECT_EQ(database.displayedTower(2), nullptr);  // no such tower
    EXPECT_EQ(database.displayedTower(3), nullptr);
    EXPECT_EQ(database.displayedTower(-1), nullptr);
}

}  // namespace
