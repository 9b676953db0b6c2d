#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "records/draw_index.h"
#include "records/file_bytes.h"
#include "records/page_memory.h"
#include "records/source_parser.h"
#include "records/string_table.h"
#include "records/tag_reader.h"
#include "records/text_arena.h"
#include "records/tower.h"

// The towers with their ids, (id, tower) in ascending id, as an ordered map from id to tower gives
// them; a view of the directory's towers, valid while they do not change.
class TowersById {
public:
    using Entry = std::pair<TowerId, const Tower&>;

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Entry;
        using reference = Entry;
        using pointer = void;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        explicit Iterator(const Tower* at) : at_(at) {}
        Entry operator*() const { return {at_->id, *at_}; }
        Iterator& operator++()
        {
            ++at_;
            return *this;
        }
        Iterator operator++(int)
        {
            const Iterator was = *this;
            ++at_;
            return was;
        }
        friend bool operator==(Iterator, Iterator) = default;

    private:
        const Tower* at_ = nullptr;
    };

    explicit TowersById(std::span<const Tower> towers) : towers_(towers) {}
    Iterator begin() const { return Iterator(towers_.data()); }
    Iterator end() const { return Iterator(towers_.data() + towers_.size()); }
    std::size_t size() const { return towers_.size(); }
    bool empty() const { return towers_.empty(); }
    Entry front() const { return *begin(); }
    Entry operator[](std::size_t place) const { return {towers_[place].id, towers_[place]}; }

    // The same towers under the same ids.
    friend bool operator==(const TowersById& a, const TowersById& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::span<const Tower> towers_;
};

// The compiled directory file. Its size is bounded by the source it is compiled from: every text
// comes from a source line, and each tower record and table entry adds a few bytes of its own.
inline constexpr FileKind compiledDirectoryFile{
    "compiled directory", largestSourceBytes + maxTowerId * 64ull + 3 * maxTowerId * 8ull + 4};

// The tower directory in memory: every tower under its id and the three tables its towers point
// into. The data compiler fills it line by line and writes it; the viewer reads it from the
// compiled file into its TowerDatabase. The towers lie side by side in ascending id, and an array
// from id to place finds any of them with two reads. The towers' and the tables' texts are views
// of the bytes of the compiled file or the source, which the directory keeps, or of copies of
// texts from lines it does not hold.
class TowerDirectory {
public:
    struct Counts {
        std::int32_t towers = 0;
        std::int32_t counties = 0;
        std::int32_t dedications = 0;
        std::int32_t webPages = 0;
    };

    TowerDirectory() = default;
    // Holds the bytes as long as the directory and its copies; the texts of towers added from
    // lines among them are views of them, not copies.
    std::string_view holdSource(PresentBytes source) { return texts_->adopt(std::move(source)); }
    // Towers, then the counties, dedications and web address lists; a later record with an id
    // already read replaces the earlier. Bytes that end before the last end marker leave what
    // was read whole, and damaged says so.
    explicit TowerDirectory(TagReader reader);
    // Throws FileReadError when the file cannot be read.
    explicit TowerDirectory(const std::filesystem::path& dataFile);

    // The bytes ended before the last end marker, began with neither a tower nor the towers' end
    // marker, or went on after the last end marker, as no directory's file does: a byte lost or
    // changed in the middle of a file ends its lists early, and leaves the rest unread.
    bool damaged() const { return cutShortAfter_.has_value() || strayBeginning_ || bytesAfterEnd_ > 0; }

    // Parses a source line, stores the tower under a freshly drawn id and gives the id.
    // Throws LimitReached when a table or the ids are full.
    TowerId addTower(std::string_view sourceLine, const ColumnMap& columns);
    // What lines held that their towers do not keep: grid references that give no position, and
    // those not written as a reference is, which give a position that may not be the one meant.
    struct LinesRead {
        std::size_t unreadGridReferences = 0;
        std::size_t firstUnreadLine = 0;  // its place among the lines given
        std::string_view firstUnreadText;
        std::size_t misreadGridReferences = 0;
        std::size_t firstMisreadLine = 0;
        std::string_view firstMisreadText;
        Position firstMisreadPosition;
        std::size_t weightsReadInPart = 0;
        std::size_t firstPartialWeightLine = 0;
        std::array<std::string_view, 3> firstPartialWeightColumns;  // cwt, qr and lb
    };
    // One tower per line, drawing exactly as addTower does line after line. On LimitReached the
    // towers of the lines before are kept.
    LinesRead addTowers(std::span<const std::string_view> sourceLines, const ColumnMap& columns);

    std::int32_t countyIndex(std::string_view text) { return counties_.add(text, draw_); }
    std::int32_t dedicationIndex(std::string_view text) { return dedications_.add(text, draw_); }
    std::int32_t webPageIndex(std::string_view text) { return webPages_.add(text, draw_); }
    // What the source parser fills.
    SourceTables sourceTables() { return {counties_, dedications_, webPages_, draw_}; }
    std::string_view countyName(std::int32_t index) const { return counties_.text(index); }
    std::string_view dedicationText(std::int32_t index) const { return dedications_.text(index); }
    std::string_view webAddress(std::int32_t index) const { return webPages_.text(index); }

    TowersById towers() const { return TowersById(towers_); }
    const Tower* tower(TowerId id) const
    {
        if (id < 1 || static_cast<std::size_t>(id) >= placeOfId_.size()) return nullptr;
        const std::int32_t place = placeOfId_[id];
        return place < 0 ? nullptr : &towers_[place];
    }
    const StringTable& counties() const { return counties_; }
    const StringTable& dedications() const { return dedications_; }
    const StringTable& webPages() const { return webPages_; }
    Counts counts() const;

    // The compiled data file's bytes: towers in ascending id, end marker, then the three lists.
    std::string encode() const;
    // Replaces the file only once the whole of it is written; throws std::runtime_error.
    void write(const std::filesystem::path& dataFile) const;

private:
    // The tower of a parsed source line under a freshly drawn id.
    Tower numberedTower(const ParsedLine& line);
    // The compiled data file's bytes, in present pages.
    TagWriter encoded() const;
    // Puts the towers, each under an id of its own, in ascending id and notes where each id is.
    void index();

    std::optional<std::size_t> cutShortAfter_;  // all the bytes there were, when they ended early
    bool cutAmongTowers_ = false;  // they ended before the towers' end marker: the last may lack items
    bool strayBeginning_ = false;  // the first item was neither a tower nor the end marker
    std::size_t bytesAfterEnd_ = 0;  // left unread after the last end marker
    // What the towers' texts view; shared by copies of the directory, whose towers view it too.
    std::shared_ptr<TextArena> texts_ = std::make_shared<TextArena>();
    std::vector<Tower, PresentAllocator<Tower>> towers_;
    // By TowerId up to the largest: the place in towers_, -1 for none.
    std::vector<std::int32_t, PresentAllocator<std::int32_t>> placeOfId_;
    std::bitset<maxTowerId + 1> idTaken_;  // stored or drawn for a tower about to be stored
    StringTable counties_{"county", texts_};
    StringTable dedications_{"dedication", texts_};
    StringTable webPages_{"web address", texts_};
    IndexDraw draw_;

    friend std::string damageReport(const std::filesystem::path& dataFile, const TowerDirectory& directory);
};

// What the user is told of a damaged file: its name, how much of it was read and what that held.
std::string damageReport(const std::filesystem::path& dataFile, const TowerDirectory& directory);
