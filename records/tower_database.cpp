#include "records/tower_database.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "records/file_bytes.h"
#include "records/limit_reached.h"
#include "records/tower_codec.h"

TowerDatabase::TowerDatabase(TagReader reader)
{
    if (!reader.isOpen()) return;
    while (std::optional<Tower> tower = readTower(reader)) {
        // Only ids a database can hold; a record under any other number is left out whole.
        if (tower->id < 1 || tower->id > maxTowerId) continue;
        const TowerId id = tower->id;
        idTaken_.set(id);
        towers_.insert_or_assign(id, std::move(*tower));
    }
    counties_.read(reader);
    dedications_.read(reader);
    webPages_.read(reader);
}

TowerDatabase::TowerDatabase(const std::filesystem::path& dataFile)
    : TowerDatabase(TagReader::fromFile(dataFile))
{
}

namespace {

std::int32_t addToTable(StringTable& table, std::string_view text, IndexDraw& draw,
                        const char* tableName)
{
    try {
        return table.add(text, draw);
    } catch (const LimitReached&) {
        throw LimitReached(std::string("the ") + tableName
                           + " table is full: all 32767 of its indexes are taken");
    }
}

}  // namespace

std::int32_t TowerDatabase::countyIndex(std::string_view text)
{
    return addToTable(counties_, text, draw_, "county");
}

std::int32_t TowerDatabase::dedicationIndex(std::string_view text)
{
    return addToTable(dedications_, text, draw_, "dedication");
}

std::int32_t TowerDatabase::webPageIndex(std::string_view text)
{
    return addToTable(webPages_, text, draw_, "web address");
}

Tower TowerDatabase::numberedTower(std::string_view sourceLine, const ColumnMap& columns,
                                   std::size_t pending)
{
    // Checked before the line's texts enter the tables, so a refused line changes nothing
    // there; with every id taken the draw below would never end.
    if (towers_.size() + pending >= static_cast<std::size_t>(maxTowerId))
        throw LimitReached("the directory is full: all 32767 tower numbers are taken");
    Tower tower = parseLine(sourceLine, columns, *this);
    TowerId id = draw_.drawIndex();
    while (idTaken_.test(id)) id = draw_.drawIndex();
    idTaken_.set(id);
    tower.id = id;
    return tower;
}

TowerId TowerDatabase::addTower(std::string_view sourceLine, const ColumnMap& columns)
{
    Tower tower = numberedTower(sourceLine, columns, 0);
    const TowerId id = tower.id;
    towers_.emplace(id, std::move(tower));
    return id;
}

void TowerDatabase::addTowers(const std::vector<std::string_view>& sourceLines, const ColumnMap& columns)
{
    std::vector<Tower> added;
    added.reserve(sourceLines.size());
    // Ids are drawn in random order. Stored in ascending order, each tower goes in right after
    // the one before without a search of the tree, and the writing of the file, which walks the
    // ids in the same order, finds neighbours near each other in memory.
    const auto store = [&] {
        std::vector<std::int32_t> placeOfId(maxTowerId + 1, -1);  // into `added`
        for (std::size_t at = 0; at < added.size(); ++at)
            placeOfId[added[at].id] = static_cast<std::int32_t>(at);
        auto hint = towers_.end();
        for (TowerId id = 1; id <= maxTowerId; ++id) {
            if (placeOfId[id] < 0) continue;
            hint = std::next(towers_.emplace_hint(hint, id, std::move(added[placeOfId[id]])));
        }
    };
    try {
        for (std::string_view line : sourceLines)
            added.push_back(numberedTower(line, columns, added.size()));
    } catch (const LimitReached&) {
        store();
        throw;
    }
    store();
}

const Tower* TowerDatabase::tower(TowerId id) const
{
    const auto found = towers_.find(id);
    return found == towers_.end() ? nullptr : &found->second;
}

TowerDatabase::Counts TowerDatabase::counts() const
{
    return {static_cast<std::int32_t>(towers_.size()), counties_.size(), dedications_.size(),
            webPages_.size()};
}

std::string TowerDatabase::encode() const
{
    TagWriter writer;
    // Room for a typical record (about 40 bytes) per tower, so the bytes are seldom moved.
    writer.reserve(64 * towers_.size() + 4096);
    for (const auto& [id, tower] : towers_) writeTower(tower, writer);
    writer.putEnd();
    counties_.write(writer);
    dedications_.write(writer);
    webPages_.write(writer);
    return writer.bytes();
}

void TowerDatabase::write(const std::filesystem::path& dataFile) const
{
    replaceFileContents(dataFile, encode());
}

double TowerDatabase::squaredDistance(const Tower& tower) const
{
    if (!tower.position.isSet()) return 1e20;
    const Position reference = distanceReference != nullptr ? distanceReference->position : centre;
    const double dx = static_cast<double>(reference.x) - tower.position.x;
    const double dy = static_cast<double>(reference.y) - tower.position.y;
    return dx * dx + dy * dy;
}

const Tower* TowerDatabase::displayedTower(std::int32_t displayPosition) const
{
    if (displayPosition < 0 || static_cast<std::size_t>(displayPosition) >= displayOrder.size())
        return nullptr;
    return tower(displayOrder[displayPosition]);
}
