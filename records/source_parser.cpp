#include "records/source_parser.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "records/byte_scan.h"
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

// Gives each column of the line in turn to column, which answers whether it wants more.
template <class Column>
void forEachColumn(std::string_view line, Column column)
{
    std::size_t start = 0;
    bool more = true;
    forEachByteOf(line, columnSeparator, [&](std::size_t separator) {
        more = column(std::string_view(line.data() + start, separator - start));
        start = separator + 1;
        return more;
    });
    // The rest after the last separator is a column unless it is empty.
    if (more && start != line.size()) column(line.substr(start));
}

// A weight and whether its columns hold more than was read from them.
struct ColumnWeight {
    std::int32_t pounds = 0;
    bool readInPart = false;
};

// The weight columns joined as cwt-qr-lb, the form the weight reader reads: 12, 2 and 14 make
// "12-2-14", 1414 lb; the reader takes "-2" and "-14" as numbers below 0, which it subtracts.
// Plain numbers in all three, or in cwt alone, are worked out without the joined text.
ColumnWeight readColumnWeight(std::string_view cwt, std::string_view qr, std::string_view lb)
{
    if (const std::optional<std::int32_t> hundredweights = readShortDigits(cwt)) {
        if (qr.empty() && lb.empty()) return {poundsPerHundredweight * *hundredweights};
        const std::optional<std::int32_t> quarters = readShortDigits(qr);
        const std::optional<std::int32_t> pounds = readShortDigits(lb);
        if (quarters && pounds) return {poundsPerHundredweight * *hundredweights + poundsPerQuarter * *quarters + *pounds};
    }
    std::string weight(cwt);
    weight += '-';
    weight += qr;
    weight += '-';
    weight += lb;
    return {readWeight(weight), weightReadInPart(weight)};
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
    if (!tower.position.isSet())
        parsed.unreadGridReference = column(gridReference);
    else if (!writtenAsReference(column(gridReference)))
        parsed.misreadGridReference = column(gridReference);
    tower.place = column(place);
    tower.postcode = column(postcode);
    tower.groundFloor = !column(groundFloor).empty();
    tower.bells = readInteger(column(bells));
    const ColumnWeight weight = readColumnWeight(column(hundredweights), column(quarters), column(pounds));
    tower.weight = weight.pounds;
    parsed.weightReadInPart = weight.readInPart;
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

std::array<std::string_view, 3> weightColumns(std::string_view line, const ColumnMap& columns)
{
    const ColumnMap::KnownColumns texts = columns.known(line);
    return {texts[hundredweights], texts[quarters], texts[pounds]};
}
