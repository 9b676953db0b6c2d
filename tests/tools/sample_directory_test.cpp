// The sample directory: reproducible to the byte, every tower on land, and read by the data
// compiler's own parser into values that look like a real directory's.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "records/grid_reference.h"
#include "geo/outline_loader.h"
#include "records/source_parser.h"
#include "records/tower_directory.h"
#include "tools/land_mask.h"
#include "tools/sample_directory.h"
#include "tools/sample_settings.h"

namespace {

const MapOutline& committedOutline()
{
    static const MapOutline outline = readOutlineFile(std::string(BELFRIX_SOURCE_DIR) + "/data/map.dat").outline;
    return outline;
}

std::string committedSample()
{
    std::ifstream in(std::string(BELFRIX_SOURCE_DIR) + "/data/vesk.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const auto end = text.find('\n');
        result.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return result;
}

bool isDigits(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A national reference (two grid letters, six digits) or an Irish one (letter, blank, six).
bool isNationalReference(std::string_view text)
{
    return text.size() == 8 && GridLetters.find(text[0]) != std::string_view::npos &&
           GridLetters.find(text[1]) != std::string_view::npos && isDigits(text.substr(2));
}
bool isIrishReference(std::string_view text)
{
    return text.size() == 8 && GridLetters.find(text[0]) != std::string_view::npos && text[1] == ' ' &&
           isDigits(text.substr(2));
}

// The sample compiled as the data compiler compiles it.
struct Compiled {
    TowerDirectory database;
    std::vector<Tower> towers; // in source order
};

Compiled compile(std::string_view text)
{
    Compiled compiled;
    const auto all = lines(text);
    const ColumnMap columns = ColumnMap::fromHeader(all.at(0));
    for (std::size_t i = 1; i < all.size(); ++i) {
        const TowerId id = compiled.database.addTower(all[i], columns);
        compiled.towers.push_back(*compiled.database.tower(id));
    }
    return compiled;
}

} // namespace

TEST(SampleDirectory, CommittedSampleIsWhatTheGeneratorMakes)
{
    const std::string committed = committedSample();
    ASSERT_FALSE(committed.empty());
    EXPECT_EQ(committed, generateDirectory(sampleTowerCount, sampleSeed, committedOutline()));
    // Another seed gives another directory of the same size.
    const std::string other = generateDirectory(200, sampleSeed + 1, committedOutline());
    EXPECT_NE(other, generateDirectory(200, sampleSeed, committedOutline()));
    EXPECT_EQ(lines(other).size(), 201u);
}

TEST(SampleDirectory, LinesAreTheSourceFormat)
{
    const std::string text = committedSample();
    ASSERT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('\r'), std::string::npos) << "LF line ends only";
    const auto all = lines(text);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(sampleTowerCount) + 1);

    const auto header = splitColumns(all[0]);
    ASSERT_EQ(header.size(), sourceColumnNames.size());
    for (std::size_t i = 0; i < header.size(); ++i) EXPECT_EQ(header[i], sourceColumnNames[i]);

    std::size_t shortLines = 0, irish = 0;
    for (std::size_t i = 1; i < all.size(); ++i) {
        const auto columns = splitColumns(all[i]);
        ASSERT_GE(columns.size(), 5u) << all[i];
        ASSERT_LE(columns.size(), sourceColumnNames.size()) << all[i];
        if (columns.size() < 12) ++shortLines;
        EXPECT_EQ(columns[0], std::to_string(i)) << "numbered in order";
        const std::string_view reference = columns[2];
        EXPECT_TRUE(isNationalReference(reference) || isIrishReference(reference)) << all[i];
        if (isIrishReference(reference)) ++irish;
    }
    EXPECT_GT(shortLines, 10u) << "a few lines with missing columns";
    EXPECT_LT(shortLines, 200u);
    EXPECT_GT(irish, 100u);
    EXPECT_LT(irish, 400u);
}

TEST(SampleDirectory, EveryTowerIsOnLandAndIrishTowersInIreland)
{
    const LandMask land(committedOutline());
    const std::string text = committedSample();
    const auto all = lines(text);
    const ColumnMap columns = ColumnMap::fromHeader(all.at(0));
    const std::set<std::string_view> irishCounties{"Antrim", "Cork", "Down", "Dublin", "Galway", "Kerry"};
    for (std::size_t i = 1; i < all.size(); ++i) {
        const ColumnMap::KnownColumns texts = columns.known(all[i]);
        const Position position = parseGridRef(texts[2]);
        ASSERT_TRUE(position.isSet()) << all[i];
        EXPECT_TRUE(land.isLand(position)) << all[i];
        if (irishCounties.count(texts[3])) {
            EXPECT_TRUE(isIrishReference(texts[2])) << all[i];
        }
    }
}

TEST(SampleDirectory, CompiledValuesLookLikeARealDirectory)
{
    const Compiled compiled = compile(committedSample());
    ASSERT_EQ(compiled.towers.size(), static_cast<std::size_t>(sampleTowerCount));
    const auto counts = compiled.database.counts();
    EXPECT_GT(counts.counties, 90);
    EXPECT_LT(counts.counties, 110);
    EXPECT_GT(counts.dedications, 40);
    EXPECT_GT(counts.webPages, 50);

    std::map<std::int32_t, std::int32_t> rings;
    std::map<std::int32_t, std::int64_t> tenorPounds;
    // Two 100 km squares: Essex, Hertfordshire and north Kent; the Pennines and the border.
    std::int32_t southEastSquare = 0, northernSquare = 0;
    std::int32_t withNote = 0, withNight = 0, minusMarks = 0, plusMarks = 0,
                 withTime = 0, groundFloor = 0, unringable = 0, approx = 0, postcodes = 0;
    for (const Tower& tower : compiled.towers) {
        ++rings[tower.bells];
        tenorPounds[tower.bells] += tower.weight;
        const Position p = tower.position;
        if (p.x >= 5000 && p.x < 6000 && p.y >= 1500 && p.y < 2500) ++southEastSquare;
        if (p.x >= 3500 && p.x < 4500 && p.y >= 5000 && p.y < 6000) ++northernSquare;
        if (tower.note) ++withNote;
        if (tower.practiceNight & 7) ++withNight;
        if (tower.practiceNight & 8) ++minusMarks;
        if (tower.practiceNight & 16) ++plusMarks;
        if (tower.practiceTime >= 18 * 60 && tower.practiceTime <= 21 * 60) ++withTime;
        groundFloor += tower.groundFloor;
        unringable += tower.unringable;
        approx += tower.approxWeight;
        if (!tower.postcode.empty()) ++postcodes;
    }
    const std::int32_t total = sampleTowerCount;
    EXPECT_GT(rings[6] + rings[8], total * 6 / 10) << "mostly sixes and eights";
    for (std::int32_t bells : {3, 4, 5, 10, 12, 16}) EXPECT_GT(rings[bells], 0) << bells << " bells";
    EXPECT_GT(southEastSquare, 3 * northernSquare) << "denser in the south and east";
    EXPECT_GT(northernSquare, 0);

    // Heavier rings have heavier tenors: the average tenor grows with the number of bells.
    // Lines cut short before the weight columns count as 0 lb, hence the averages over all.
    const auto average = [&](std::int32_t bells) { return tenorPounds[bells] / rings[bells]; };
    EXPECT_LT(average(5), average(6));
    EXPECT_LT(average(6), average(8));
    EXPECT_LT(average(8), average(10));
    EXPECT_LT(average(10), average(12));
    EXPECT_GT(average(8), 12 * 112);
    EXPECT_LT(average(8), 22 * 112);

    EXPECT_GT(withNote, total * 9 / 10);
    EXPECT_GT(withNight, total * 7 / 10);
    EXPECT_GT(withTime, total * 5 / 10);
    EXPECT_GT(minusMarks, 50);
    EXPECT_GT(plusMarks, 50);
    for (std::int32_t rare : {groundFloor, unringable, approx, postcodes}) {
        EXPECT_GT(rare, 20);
        EXPECT_LT(rare, total / 5);
    }
}

TEST(SampleDirectory, StressDirectoryFillsEveryTowerId)
{
    const std::string text = generateStressDirectory();
    EXPECT_EQ(text, generateStressDirectory());
    const auto all = lines(text);
    ASSERT_EQ(all.size(), 32768u);
    const Compiled compiled = compile(text);
    EXPECT_EQ(compiled.database.counts().towers, maxTowerId);
    for (const Tower& tower : compiled.towers) ASSERT_TRUE(tower.position.isSet()) << tower.place;
}
