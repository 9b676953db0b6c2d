#include <gtest/gtest.h>

#include <initializer_list>

#include "tools/land_mask.h"

namespace {

OutlinePolyline ring(std::initializer_list<Position> points)
{
    OutlinePolyline polyline;
    for (const auto& point : points) polyline.addPoint(point);
    return polyline;
}

// An island 0..100 square with a lake 40..60 in it and an islet 48..52 in the lake; a river
// runs across in the second layer.
MapOutline islandWithLake()
{
    MapOutline outline;
    outline.layers.resize(3);
    outline.layers[0].polylines = {
        ring({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}),
        ring({{40, 40}, {60, 40}, {60, 60}, {40, 60}, {40, 40}}),
        ring({{48, 48}, {52, 48}, {52, 52}, {48, 52}, {48, 48}}),
    };
    outline.layers[2].polylines = {ring({{-50, 20}, {150, 20}, {150, 25}})};
    return outline;
}

} // namespace

TEST(LandMask, NestedShoresAlternateLandAndWater)
{
    const MapOutline outline = islandWithLake();
    const LandMask land(outline);
    EXPECT_TRUE(land.isLand({10, 10}));
    EXPECT_FALSE(land.isLand({45, 45})) << "lake";
    EXPECT_TRUE(land.isLand({50, 50})) << "islet in the lake";
    EXPECT_FALSE(land.isLand({150, 50})) << "sea";
    EXPECT_FALSE(land.isLand({-1, 50}));
    // The open river line on another layer cuts nothing out of the island.
    EXPECT_TRUE(land.isLand({10, 22}));
}

TEST(LandMask, RayThroughAVertexCountsOnce)
{
    MapOutline outline;
    outline.layers.resize(1);
    // A diamond whose left and right corners lie level with the test points.
    outline.layers[0].polylines = {ring({{0, 50}, {50, 0}, {100, 50}, {50, 100}, {0, 50}})};
    const LandMask land(outline);
    EXPECT_TRUE(land.isLand({20, 50}));
    EXPECT_TRUE(land.isLand({50, 50}));
    EXPECT_FALSE(land.isLand({-20, 50}));
    EXPECT_FALSE(land.isLand({120, 50}));
    EXPECT_FALSE(land.isLand({20, 5}));
}

TEST(LandMask, ShoreWithoutItsClosingPointIsStillARing)
{
    MapOutline outline;
    outline.layers.resize(1);
    outline.layers[0].polylines = {ring({{0, 0}, {100, 0}, {100, 100}, {0, 100}})};
    const LandMask land(outline);
    EXPECT_TRUE(land.isLand({50, 90}));
    EXPECT_FALSE(land.isLand({50, 110}));
}

TEST(LandMask, OutlineWithoutCoastHasNoLand)
{
    const MapOutline empty;
    const LandMask land(empty);
    EXPECT_EQ(land.shoreCount(), 0u);
    EXPECT_FALSE(land.isLand({10, 10}));
}
