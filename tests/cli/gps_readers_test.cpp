// The GPX and GeoJSON exports as other programs read them: gpsbabel and GDAL's ogrinfo. Each test
// is skipped, saying so, where its reader is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "cli/veskquery.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

bool installed(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string outputOf(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, read);
    pclose(pipe);
    return text;
}

// The longitude and latitude of every POINT that ogrinfo lists.
std::vector<std::pair<double, double>> points(const std::string& listing)
{
    std::vector<std::pair<double, double>> found;
    const std::regex point(R"(POINT \(([-0-9.]+) ([-0-9.]+)\))");
    for (auto it = std::sregex_iterator(listing.begin(), listing.end(), point); it != std::sregex_iterator(); ++it)
        found.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
    return found;
}

class GpsReadersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef BELFRIX_WITHOUT_PROJ
        GTEST_SKIP() << "this build has no PROJ for true WGS-84 places";
#endif
        writeDirectory(folder / "vesk.dat");
        for (const char* format : {"--gpx", "--geojson"}) {
            std::ostringstream out, err;
            ASSERT_EQ(runVeskQuery({"--data", (folder / "vesk.dat").string(), format}, out, err), 0);
            folder.write(format == std::string("--gpx") ? "towers.gpx" : "towers.geojson", out.str());
        }
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    TemporaryFolder folder;
};

// Six towers, Easton without a position: five places.
constexpr int placed = 5;

TEST_F(GpsReadersTest, GpsbabelReadsEveryWaypoint)
{
    if (!installed("gpsbabel")) GTEST_SKIP() << "gpsbabel is not installed (apt-get install gpsbabel)";
    const std::string rows = outputOf("gpsbabel -i gpx -f " + path("towers.gpx") + " -o unicsv -F - 2>&1");
    int lines = 0;
    for (const char c : rows) lines += c == '\n';
    EXPECT_EQ(lines, 1 + placed) << rows;
    EXPECT_NE(rows.find("51.387295,-0.416970,\"Aston\""), std::string::npos) << rows;
}

TEST_F(GpsReadersTest, OgrinfoReadsBothFilesWithTheirPlaces)
{
    if (!installed("ogrinfo")) GTEST_SKIP() << "ogrinfo is not installed (apt-get install gdal-bin)";
    for (const std::string file : {"towers.geojson", "towers.gpx"}) {
        SCOPED_TRACE(file);
        const std::string layer = file.ends_with(".gpx") ? " waypoints" : "";
        const std::string summary = outputOf("ogrinfo -ro -al -so " + path(file) + layer + " 2>&1");
        EXPECT_NE(summary.find("Feature Count: " + std::to_string(placed)), std::string::npos) << summary;
        const auto found = points(outputOf("ogrinfo -ro -al " + path(file) + layer + " 2>&1"));
        ASSERT_EQ(found.size(), static_cast<std::size_t>(placed));
        // Aston, first in place order, on TQ102665: 51.387294827 N, 0.416969872 W by cs2cs.
        EXPECT_NEAR(found[0].first, -0.416969872, 1e-6);
        EXPECT_NEAR(found[0].second, 51.387294827, 1e-6);
    }
}

}  // namespace
