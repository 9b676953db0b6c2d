#include "records/tower_directory.h"

#include <algorithm>
#include <utility>

#include "records/counted.h"
#include "records/file_bytes.h"
#include "records/limit_reached.h"
#include "records/parallel_chunks.h"
#include "records/tower_codec.h"

namespace {

// A tower record of a typical file takes about 40 bytes, seldom fewer than this many: room for
// the file's size over it is made at once.
constexpr std::size_t typicalRecordBytes = 32;

}  // namespace

TowerDirectory::TowerDirectory(TagReader reader)
{
    const std::size_t expected = std::min<std::size_t>(maxTowerId, reader.remaining() / typicalRecordBytes);
    towers_.reserve(expected);
    if (expected > 0) placeOfId_.reserve(maxTowerId + 1);  // ids come in ascending order, the largest last
    bool ascending = true;
    bool anyRecord = false;
    while (std::optional<Tower> tower = readTower(reader)) {
        anyRecord = true;
        // Only ids a database can hold; a record under any other number is left out whole.
        const TowerId id = tower->id;
        if (id < 1 || id > maxTowerId) continue;
        if (static_cast<std::size_t>(id) >= placeOfId_.size()) placeOfId_.resize(id + 1, -1);
        std::int32_t& place = placeOfId_[id];
        if (place >= 0) {
            towers_[place] = std::move(*tower);
            continue;
        }
        if (!towers_.empty() && towers_.back().id > id) ascending = false;
        place = static_cast<std::int32_t>(towers_.size());
        towers_.push_back(std::move(*tower));
        idTaken_.set(id);
    }
    if (!ascending) index();
    strayBeginning_ = !anyRecord && reader.tag() != TagReader::endMarker;
    cutAmongTowers_ = reader.ranOut() && !towers_.empty();
    counties_.read(reader);
    dedications_.read(reader);
    webPages_.read(reader);
    if (reader.ranOut())
        cutShortAfter_ = reader.size();
    else
        bytesAfterEnd_ = reader.remaining();
    texts_->adopt(std::move(reader).takeBytes());
}

TowerDirectory::TowerDirectory(const std::filesystem::path& dataFile)
    : TowerDirectory(TagReader(readFilePresent(dataFile, compiledDirectoryFile)))
{
}

std::string damageReport(const std::filesystem::path& dataFile, const TowerDirectory& directory)
{
    const TowerDirectory::Counts counts = directory.counts();
    const std::string_view inPart = !directory.cutAmongTowers_ ? ""
                                    : counts.towers == 1      ? " (perhaps only in part)"
                                                              : " (the last perhaps only in part)";
    const std::string fault =
        directory.strayBeginning_
            ? " is damaged, or is no compiled directory: it begins with neither a tower nor the towers' end marker. "
        : directory.cutShortAfter_
            ? " is damaged: its " + counted(*directory.cutShortAfter_, "byte", "bytes") + " end before its last end marker. "
            : " is damaged: " + counted(directory.bytesAfterEnd_, "byte follows", "bytes follow") +
                  " its last end marker, where a compiled directory ends. ";
    return quotedPath(dataFile) + fault + counted(counts.towers, "tower", "towers") + std::string(inPart) + ", " +
           counted(counts.counties, "county", "counties") + ", " +
           counted(counts.dedications, "dedication", "dedications") + " and " +
           counted(counts.webPages, "web address", "web addresses") + " could be read.";
}

void TowerDirectory::index()
{
    TowerId largest = 0;
    for (const Tower& tower : towers_) largest = std::max(largest, tower.id);
    placeOfId_.assign(largest + 1, -1);
    for (std::size_t at = 0; at < towers_.size(); ++at)
        placeOfId_[towers_[at].id] = static_cast<std::int32_t>(at);
    std::vector<Tower, PresentAllocator<Tower>> inIdOrder;
    inIdOrder.reserve(towers_.size());
    for (TowerId id = 1; id <= largest; ++id) {
        std::int32_t& place = placeOfId_[id];
        if (place < 0) continue;
        inIdOrder.push_back(std::move(towers_[place]));
        place = static_cast<std::int32_t>(inIdOrder.size() - 1);
    }
    towers_ = std::move(inIdOrder);
}

Tower TowerDirectory::numberedTower(const ParsedLine& line)
{
    // Checked before the line's texts enter the tables, so a refused line changes nothing
    // there; with every id taken the draw below would never end.
    if (towers_.size() >= static_cast<std::size_t>(maxTowerId))
        throw LimitReached("the directory is full: all 32767 tower numbers are taken");
    Tower tower = enterTables(line, sourceTables());
    tower.place = texts_->keep(tower.place);
    tower.postcode = texts_->keep(tower.postcode);
    TowerId id = draw_.drawIndex();
    while (idTaken_.test(id)) id = draw_.drawIndex();
    idTaken_.set(id);
    tower.id = id;
    return tower;
}

TowerId TowerDirectory::addTower(std::string_view sourceLine, const ColumnMap& columns)
{
    Tower tower = numberedTower(parseFields(sourceLine, columns));
    const TowerId id = tower.id;
    const auto at = std::upper_bound(towers_.begin(), towers_.end(), id,
                                     [](TowerId wanted, const Tower& stored) { return wanted < stored.id; });
    const auto place = static_cast<std::int32_t>(at - towers_.begin());
    towers_.insert(at, std::move(tower));
    if (static_cast<std::size_t>(id) >= placeOfId_.size()) placeOfId_.resize(id + 1, -1);
    for (std::size_t later = place; later < towers_.size(); ++later)
        placeOfId_[towers_[later].id] = static_cast<std::int32_t>(later);
    return id;
}

TowerDirectory::LinesRead TowerDirectory::addTowers(std::span<const std::string_view> sourceLines,
                                                   const ColumnMap& columns)
{
    // The lines are parsed in chunks side by side, as many as there are ids left and the one
    // after them, which is refused. One chunk after another, in the order of the lines, their
    // texts are numbered and their ids drawn while the chunks after them are still being parsed.
    // The towers are stored as drawn, in random id order, and put in order once at the end.
    const std::size_t room = static_cast<std::size_t>(maxTowerId) - std::min<std::size_t>(towers_.size(), maxTowerId);
    std::vector<ParsedLine, PresentAllocator<ParsedLine>> parsed(std::min(sourceLines.size(), room + 1));
    towers_.reserve(towers_.size() + parsed.size());
    constexpr std::size_t linesAChunk = 256;
    LinesRead read;
    try {
        forEachChunkInOrder(
            parsed.size(), linesAChunk,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t at = begin; at < end; ++at) parsed[at] = parseFields(sourceLines[at], columns);
            },
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t at = begin; at < end; ++at) {
                    towers_.push_back(numberedTower(parsed[at]));
                    if (!parsed[at].unreadGridReference.empty() && read.unreadGridReferences++ == 0) {
                        read.firstUnreadLine = at;
                        read.firstUnreadText = parsed[at].unreadGridReference;
                    }
                    if (!parsed[at].misreadGridReference.empty() && read.misreadGridReferences++ == 0) {
                        read.firstMisreadLine = at;
                        read.firstMisreadText = parsed[at].misreadGridReference;
                        read.firstMisreadPosition = parsed[at].tower.position;
                    }
                    if (parsed[at].weightReadInPart && read.weightsReadInPart++ == 0) {
                        read.firstPartialWeightLine = at;
                        read.firstPartialWeightColumns = weightColumns(sourceLines[at], columns);
                    }
                }
            });
    } catch (const LimitReached&) {
        index();
        throw;
    }
    index();
    return read;
}

TowerDirectory::Counts TowerDirectory::counts() const
{
    return {static_cast<std::int32_t>(towers_.size()), counties_.size(), dedications_.size(),
            webPages_.size()};
}

TagWriter TowerDirectory::encoded() const
{
    // The towers are written in chunks side by side, and each chunk's bytes are joined to the
    // file's in order as soon as they are written.
    constexpr std::size_t towersAChunk = 1024;
    std::vector<TagWriter> chunks((towers_.size() + towersAChunk - 1) / towersAChunk);
    TagWriter writer;
    // Room for a typical record per tower and the tables, so the bytes are seldom moved.
    writer.reserve(2 * typicalRecordBytes * towers_.size() + 4096);
    forEachChunkInOrder(
        towers_.size(), towersAChunk,
        [&](std::size_t begin, std::size_t end) {
            // Writers side by side in `chunks` share cache lines: each chunk is written on a
            // writer of its own and moved in when done.
            TagWriter chunk;
            chunk.reserve(2 * typicalRecordBytes * (end - begin));
            // The towers' texts lie scattered over the source in the order of its lines, not of
            // the ids: those of a tower some way ahead are fetched while the towers before it
            // are written.
            constexpr std::size_t fetchAhead = 16;
            for (std::size_t at = begin; at < end; ++at) {
                if (at + fetchAhead < end) {
                    __builtin_prefetch(towers_[at + fetchAhead].place.data());
                    __builtin_prefetch(towers_[at + fetchAhead].postcode.data());
                }
                writeTower(towers_[at], chunk);
            }
            chunks[begin / towersAChunk] = std::move(chunk);
        },
        [&](std::size_t begin, std::size_t) {
            TagWriter& chunk = chunks[begin / towersAChunk];
            writer.putItems(chunk.bytes());
            chunk = TagWriter();
        });
    writer.putEnd();
    counties_.write(writer);
    dedications_.write(writer);
    webPages_.write(writer);
    return writer;
}

std::string TowerDirectory::encode() const { return std::string(encoded().bytes()); }

void TowerDirectory::write(const std::filesystem::path& dataFile) const
{
    replaceFileContents(dataFile, encoded().bytes());
}
