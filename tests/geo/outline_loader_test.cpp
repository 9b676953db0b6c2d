#include "geo/outline_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

OutlineRead readOf(const std::string& bytes)
{
    TagReader reader(bytes);
    return readOutline(reader);
}

MapOutline outlineOf(const std::string& bytes) { return readOf(bytes).outline; }

TEST(OutlineLoader, ReadsLayersPolylinesAndBoundingBoxes)
{
    EXPECT_TRUE(outlineOf(std::string("\x00\x00", 2)).layers.empty());

    const MapOutline outline =
        outlineOf(std::string("\x01\x00\x01\x00\x02\x00\xE8\x03\xD0\x07\xF4\x01\x64\x00", 14));
    ASSERT_EQ(outline.layers.size(), 1u);
    ASSERT_EQ(outline.layers[0].polylines.size(), 1u);
    const OutlinePolyline& polyline = outline.layers[0].polylines[0];
    EXPECT_EQ(polyline.points, (std::vector<Position>{{1000, 2000}, {500, 100}}));
    EXPECT_EQ(polyline.minX, 500);
    EXPECT_EQ(polyline.maxX, 1000);
    EXPECT_EQ(polyline.minY, 100);
    EXPECT_EQ(polyline.maxY, 2000);
}

// West of the false origin lies much of shifted Ireland: x -1 (FF FF) and -1977 (3F F8).
TEST(OutlineLoader, CoordinatesAreSigned)
{
    const MapOutline outline =
        outlineOf(std::string("\x01\x00\x01\x00\x02\x00\xFF\xFF\x10\x00\x3F\xF8\x00\x80", 14));
    ASSERT_EQ(outline.layers.size(), 1u);
    const OutlinePolyline& polyline = outline.layers[0].polylines.at(0);
    EXPECT_EQ(polyline.points, (std::vector<Position>{{-1, 16}, {-1985, -32768}}));
    EXPECT_EQ(polyline.minX, -1985);
    EXPECT_EQ(polyline.maxY, 16);
}

TEST(OutlineLoader, LayersKeepFileOrderAndEmptyPolylines)
{
    // Two layers: the first with a polyline of no points and one of one point, the second empty.
    const MapOutline outline =
        outlineOf(std::string("\x02\x00\x02\x00\x00\x00\x01\x00\x05\x00\x06\x00\x00\x00", 14));
    ASSERT_EQ(outline.layers.size(), 2u);
    ASSERT_EQ(outline.layers[0].polylines.size(), 2u);
    EXPECT_TRUE(outline.layers[0].polylines[0].points.empty());
    EXPECT_EQ(outline.layers[0].polylines[1].points, (std::vector<Position>{{5, 6}}));
    EXPECT_TRUE(outline.layers[1].polylines.empty());
}

TEST(OutlineLoader, ShortFileKeepsTheWholePolylinesReadSoFar)
{
    // Layer count 3; the first layer says 2 polylines: one whole, then 5 points of which one is
    // there.
    const MapOutline cut = outlineOf(
        std::string("\x03\x00\x02\x00\x01\x00\x07\x00\x08\x00\x05\x00\x01\x00\x02\x00", 16));
    ASSERT_EQ(cut.layers.size(), 1u);
    ASSERT_EQ(cut.layers[0].polylines.size(), 1u);
    EXPECT_EQ(cut.layers[0].polylines[0].points, (std::vector<Position>{{7, 8}}));

    // Counts of 65535 with nothing behind them: nothing to keep, and nothing reserved for them.
    const MapOutline huge = outlineOf(std::string(6, '\xFF'));
    ASSERT_EQ(huge.layers.size(), 1u);
    EXPECT_TRUE(huge.layers[0].polylines.empty());

    EXPECT_TRUE(outlineOf(std::string("\x05", 1)).layers.empty());
    EXPECT_TRUE(outlineOf(std::string()).layers.empty());
}

TEST(OutlineLoader, AFileThatEndsBeforeItsCountsIsDamagedAndSaysWhatWasRead)
{
    const std::string whole("\x02\x00\x01\x00\x01\x00\x07\x00\x08\x00\x00\x00", 12);
    EXPECT_FALSE(readOf(whole).cutShort);
    EXPECT_FALSE(readOf(whole + "after").cutShort);
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_TRUE(readOf(whole.substr(0, length)).cutShort) << length;
    EXPECT_EQ(damageReport("map.dat", readOf(whole.substr(0, 11))),
              "\"map.dat\" is damaged: its 11 bytes end before its counts do. 1 layer with 1 polyline "
              "could be read.");
}

TEST(OutlineLoader, ReadsALayerWhereTheReaderStands)
{
    TagReader reader(
        std::string("\x01\x00\x01\x00\x02\x00\x03\x00\x01\x00\x01\x00\x09\x00\x09\x00", 16));
    const OutlineLayer first = readOutlineLayer(reader);
    const OutlineLayer second = readOutlineLayer(reader);
    ASSERT_EQ(first.polylines.size(), 1u);
    EXPECT_EQ(first.polylines[0].points, (std::vector<Position>{{2, 3}}));
    ASSERT_EQ(second.polylines.size(), 1u);
    EXPECT_EQ(second.polylines[0].points, (std::vector<Position>{{9, 9}}));
}

TEST(OutlineLoader, FromAFileOrNone)
{
    const auto folder = std::filesystem::path(BELFRIX_BINARY_DIR) / "outline_loader_test";
    std::filesystem::create_directories(folder);
    const auto file = folder / "map.dat";
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string("\x01\x00\x01\x00\x01\x00\x0A\x00\x0B\x00", 10);
    }
    const MapOutline outline = readOutlineFile(file).outline;
    ASSERT_EQ(outline.layers.size(), 1u);
    EXPECT_EQ(outline.layers[0].polylines.at(0).points, (std::vector<Position>{{10, 11}}));

    EXPECT_THROW(readOutlineFile(folder / "missing.dat"), FileReadError);
    std::filesystem::remove_all(folder);
}

} // namespace
