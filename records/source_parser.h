#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "records/draw_index.h"
#include "records/file_bytes.h"
#include "records/string_table.h"
#include "records/tower.h"

// The directory's text source: a header line naming backslash-separated columns, then one
// tower per line.

// A source line holds at most 199 bytes in the directory's own format. A kibibyte a line for the
// header and the 32767 towers leaves ample room, and refuses an enormous file before it is read.
inline constexpr std::uint64_t largestSourceBytes = (maxTowerId + 1) * 1024ull;
inline constexpr FileKind directorySourceFile{"directory source", largestSourceBytes};

// "a\b" gives a and b; "a\\b" gives a, an empty column and b; a trailing backslash adds no
// empty column; the empty line has no columns.
std::vector<std::string_view> splitColumns(std::string_view line);

// The 17 column names the parser knows, in this order.
inline constexpr std::array<std::string_view, 17> sourceColumnNames = {
    "Index", "ExpRef", "NG", "FULL", "Place", "Dedicn", "Postcode", "GF", "Bells",
    "cwt", "qr", "lb", "App", "Note", "Prac", "UR", "WebPage"};

// Where each known column stands in the header (-1 when it is missing); the last of
// several columns with the same name counts. Names match exactly, case and all.
class ColumnMap {
public:
    ColumnMap();  // every column missing
    static ColumnMap fromHeader(std::string_view header);

    int position(int name) const { return positions_[name]; }

    // A line's known columns, each at its number, empty where the line lacks it; the last
    // element takes the columns the parser does not know.
    using KnownColumns = std::array<std::string_view, sourceColumnNames.size() + 1>;
    KnownColumns known(std::string_view line) const;

private:
    static constexpr unsigned char otherColumn = sourceColumnNames.size();

    std::array<int, sourceColumnNames.size()> positions_;
    // By place in the header up to the last known column: the column's number or otherColumn.
    std::vector<unsigned char> nameAt_;
};

// The tables a source line's texts go into, and the draw that numbers the new ones.
struct SourceTables {
    StringTable& counties;
    StringTable& dedications;
    StringTable& webPages;
    IndexDraw& draw;
};

// A source line read on its own: the tower with every field but its id and its table indexes,
// and the texts the tables are to number.
struct ParsedLine {
    Tower tower;
    std::string_view county;
    std::string_view dedication;
    std::string_view webPage;
    // The line's grid reference where it gives the tower no position; empty otherwise.
    std::string_view unreadGridReference;
    // The line's grid reference where it gives a position but is not written as a reference is
    // ("TQ10206650", "TQ 102 665"), so that the place may not be the one meant; empty otherwise.
    std::string_view misreadGridReference;
    // The weight columns hold more than the weight read from them ("8", "2" and no lb are read
    // as 8 cwt, and a fraction sign after the 8 is not read), so that the weight is not the one
    // written.
    bool weightReadInPart = false;
};
// Needs nothing but the line, so lines can be parsed side by side.
ParsedLine parseFields(std::string_view line, const ColumnMap& columns);
// The line's cwt, qr and lb columns, which its weight is read from.
std::array<std::string_view, 3> weightColumns(std::string_view line, const ColumnMap& columns);
// The parsed tower with its county, dedication and web address numbered, added to their tables
// in that order, which fixes the order of the index draws. Throws LimitReached when a table is
// full.
Tower enterTables(const ParsedLine& parsed, SourceTables tables);
// Both of the above for one source line; the tower's id is not yet set.
Tower parseLine(std::string_view line, const ColumnMap& columns, SourceTables tables);
