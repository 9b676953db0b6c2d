#include "records/source_parser.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "records/grid_reference.h"
#include "records/number_text.h"
#include "records/value_readers.h"

namespace {

// Numbers of the known columns, as in sourceColumnNames.
enum Column : int {
    gridReference = 2,
    county = 3,
    place = 4,
    dedication = 5,
    postcode = 6,
    groundFloor = 7,
    bells = 8,
    hundredweights = 9,
    quarters = 10,
    pounds = 11,
    approxWeight = 12,
    note = 13,
    practice = 14,
    unringable = 15,
    webPage = 16,
};

constexpr char columnSeparator = '\\';

}  // namespace

namespace {

// The separators among eight bytes read as one little-endian word: the high bit of each byte
// that is one set, every other bit clear.
std::uint64_t separatorBits(std::uint64_t bytes)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = bytes ^ (0x0101010101010101ull * static_cast<unsigned char>(columnSeparator));
    // Exact per byte, unlike the borrow of a subtraction: a byte of x is 0 just where the high
    // bit stays clear here.
    return ~(((x & low7) + low7) | x | low7);
}

// Gives each column of the line in turn to column, which answers whether it wants more.
// Columns are short: the separators are found eight bytes at a time.
template <class Column>
void forEachColumn(std::string_view line, Column column)
{
    const char* start = line.data();
    const char* const end = start + line.size();
    const auto separatorAt = [&](const char* at) {
        const bool more = column(std::string_view(start, static_cast<std::size_t>(at - start)));
        start = at + 1;
        return more;
    };
    const char* at = start;
    for (; end - at >= 8; at += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, at, 8);
        if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap64(bytes);
        for (std::uint64_t found = separatorBits(bytes); found != 0; found &= found - 1)
            if (!separatorAt(at + std::countr_zero(found) / 8)) return;
    }
    for (; at != end; ++at)
        if (*at == columnSeparator && !separatorAt(at)) return;
    // The rest after the last separator is a column unless it is empty.
    if (start != end) column(std::string_view(start, static_cast<std::size_t>(end - start)));
}

// The weight columns joined as cwt-qr-lb, the form the weight reader reads: 12, 2 and 14 make
// "12-2-14", 1414 lb; the reader takes "-2" and "-14" as numbers below 0, which it subtracts.
// Plain numbers in all three, or in cwt alone, are worked out without the joined text.
std::int32_t readColumnWeight(std::string_view cwt, std::string_view qr, std::string_view lb)
{
    if (const std::optional<std::int32_t> hundredweights = readShortDigits(cwt)) {
        if (qr.empty() && lb.empty()) return poundsPerHundredweight * *hundredweights;
        const std::optional<std::int32_t> quarters = readShortDigits(qr);
        const std::optional<std::int32_t> pounds = readShortDigits(lb);
        if (quarters && pounds) return poundsPerHundredweight * *hundredweights + poundsPerQuarter * *quarters + *pounds;
    }
    std::string weight(cwt);
    weight += '-';
    weight += qr;
    weight += '-';
    weight += lb;
    return readWeight(weight);
}

}  // namespace

std::vector<std::string_view> splitColumns(std::string_view line)
{
    std::vector<std::string_view> columns;
    forEachColumn(line, [&](std::string_view text) {
        columns.push_back(text);
        return true;
    });
    return columns;
}

ColumnMap::ColumnMap() { positions_.fill(-1); }

ColumnMap ColumnMap::fromHeader(std::string_view header)
{
    ColumnMap map;
    const std::vector<std::string_view> names = splitColumns(header);
    for (std::size_t at = 0; at < names.size(); ++at)
        for (std::size_t name = 0; name < sourceColumnNames.size(); ++name)
            if (names[at] == sourceColumnNames[name]) map.positions_[name] = static_cast<int>(at);
    map.nameAt_.assign(1 + *std::max_element(map.positions_.begin(), map.positions_.end()), otherColumn);
    for (std::size_t name = 0; name < sourceColumnNames.size(); ++name)
        if (map.positions_[name] >= 0) map.nameAt_[map.positions_[name]] = static_cast<unsigned char>(name);
    return map;
}

ColumnMap::KnownColumns ColumnMap::known(std::string_view line) const
{
    KnownColumns texts{};
    if (nameAt_.empty()) return texts;
    const unsigned char* name = nameAt_.data();
    const unsigned char* const last = name + nameAt_.size();
    // The columns after the last known one are not looked for.
    forEachColumn(line, [&](std::string_view text) {
        texts[*name++] = text;
        return name != last;
    });
    return texts;
}

ParsedLine parseFields(std::string_view line, const ColumnMap& columns)
{
    const ColumnMap::KnownColumns texts = columns.known(line);
    const auto column = [&](int name) { return texts[name]; };

    ParsedLine parsed;
    parsed.county = column(county);
    parsed.dedication = column(dedication);
    parsed.webPage = column(webPage);
    Tower& tower = parsed.tower;
    tower.position = parseGridRef(column(gridReference));
    tower.place = column(place);
    tower.postcode = column(postcode);
    tower.groundFloor = !column(groundFloor).empty();
    tower.bells = readInteger(column(bells));
    tower.weight = readColumnWeight(column(hundredweights), column(quarters), column(pounds));
    tower.approxWeight = !column(approxWeight).empty();
    tower.note = readNote(column(note));
    tower.practiceNight = readPracticeNight(column(practice));
    tower.practiceTime = readPracticeTime(column(practice));
    tower.unringable = !column(unringable).empty();
    return parsed;
}

Tower enterTables(const ParsedLine& parsed, SourceTables tables)
{
    // Adding a new text to a table draws an index, so the tables are filled in this order.
    Tower tower = parsed.tower;
    tower.county = tables.counties.add(parsed.county, tables.draw);
    tower.dedication = tables.dedications.add(parsed.dedication, tables.draw);
    tower.webPage = tables.webPages.add(parsed.webPage, tables.draw);
    return tower;
}

Tower parseLine(std::string_view line, const ColumnMap& columns, SourceTables tables)
{
    return enterTables(parseFields(line, columns), tables);
}
