#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "geo/map_outline.h"
#include "query/selection_step.h"
#include "query/sort_key.h"
#include "records/draw_index.h"
#include "records/source_parser.h"
#include "records/string_table.h"
#include "records/tag_reader.h"
#include "records/tower.h"

// The tower directory in memory: every tower keyed by its id, the three tables its towers point
// into, and the viewer's display state. The data compiler fills it line by line and writes it;
// the viewer reads it from the compiled file. The display state's members are plain values whose
// operations live with the map and query code (recomputeDisplayed, applySelectionStep, ...).
class TowerDatabase {
public:
    struct Counts {
        std::int32_t towers = 0;
        std::int32_t counties = 0;
        std::int32_t dedications = 0;
        std::int32_t webPages = 0;
    };

    TowerDatabase() = default;
    // Towers, then the counties, dedications and web address lists. A reader that is not open
    // leaves the database empty; a later record with an id already read replaces the earlier.
    explicit TowerDatabase(TagReader reader);
    explicit TowerDatabase(const std::filesystem::path& dataFile);

    // Towers point at each other's storage through distanceReference: move, never copy.
    TowerDatabase(TowerDatabase&&) = default;
    TowerDatabase& operator=(TowerDatabase&&) = default;
    TowerDatabase(const TowerDatabase&) = delete;
    TowerDatabase& operator=(const TowerDatabase&) = delete;

    // Parses a source line, stores the tower under a freshly drawn id and gives the id.
    // Throws LimitReached when a table or the ids are full.
    TowerId addTower(std::string_view sourceLine, const ColumnMap& columns);
    // One tower per line, drawing exactly as addTower does line after line, but stored together
    // in id order, which is much quicker for a whole directory. On LimitReached the towers of the
    // lines before are kept.
    void addTowers(const std::vector<std::string_view>& sourceLines, const ColumnMap& columns);

    std::int32_t countyIndex(std::string_view text);
    std::int32_t dedicationIndex(std::string_view text);
    std::int32_t webPageIndex(std::string_view text);
    const std::string& countyName(std::int32_t index) const { return counties_.text(index); }
    const std::string& dedicationText(std::int32_t index) const { return dedications_.text(index); }
    const std::string& webAddress(std::int32_t index) const { return webPages_.text(index); }

    const std::map<TowerId, Tower>& towers() const { return towers_; }
    const Tower* tower(TowerId id) const;
    const StringTable& counties() const { return counties_; }
    const StringTable& dedications() const { return dedications_; }
    const StringTable& webPages() const { return webPages_; }
    Counts counts() const;

    // The compiled data file's bytes: towers in ascending id, end marker, then the three lists.
    std::string encode() const;
    // Replaces the file only once the whole of it is written; throws std::runtime_error.
    void write(const std::filesystem::path& dataFile) const;

    // From the reference point (distanceReference's position when set, else centre) in
    // (100 m)^2; 1e20 for a tower without a position.
    double squaredDistance(const Tower& tower) const;

    // The displayed towers, read by display position.
    std::int32_t displayedCount() const { return static_cast<std::int32_t>(displayOrder.size()); }
    const Tower* displayedTower(std::int32_t displayPosition) const;

    // Display state of the viewer.
    Position centre;
    std::int32_t radius = 0;                      // whole metres
    const Tower* distanceReference = nullptr;     // a tower of this database, or none
    std::vector<SelectionStep> selectionSteps;    // oldest first; the newest is the chain's head
    SortKeys sortKeys{};
    std::vector<TowerId> displayOrder;            // the towers that pass, in sort order
    MapOutline outline;

private:
    // The tower of a source line under a freshly drawn id; `pending` towers are drawn, not yet stored.
    Tower numberedTower(std::string_view sourceLine, const ColumnMap& columns, std::size_t pending);

    std::map<TowerId, Tower> towers_;
    StringTable counties_;
    StringTable dedications_;
    StringTable webPages_;
    IndexDraw draw_;
    std::bitset<maxTowerId + 1> idTaken_;  // the keys of towers_, for the draw's quick test
};
