#include "records/source_parser.h"

#include <string>

#include "records/grid_reference.h"
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

// Columns are short, so one pass over the bytes beats a search call per column.
void splitColumnsInto(std::string_view line, std::vector<std::string_view>& columns)
{
    columns.clear();
    const char* start = line.data();
    const char* const end = start + line.size();
    for (const char* at = start; at != end; ++at) {
        if (*at != columnSeparator) continue;
        columns.emplace_back(start, static_cast<std::size_t>(at - start));
        start = at + 1;
    }
    // The rest after the last separator is a column unless it is empty.
    if (start != end) columns.emplace_back(start, static_cast<std::size_t>(end - start));
}

}  // namespace

std::vector<std::string_view> splitColumns(std::string_view line)
{
    std::vector<std::string_view> columns;
    splitColumnsInto(line, columns);
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
    return map;
}

std::string_view ColumnMap::text(const std::vector<std::string_view>& columns, int name) const
{
    const int at = positions_[name];
    if (at < 0 || static_cast<std::size_t>(at) >= columns.size()) return {};
    return columns[at];
}

Tower parseLine(std::string_view line, const ColumnMap& columns, SourceTables tables)
{
    // Kept from line to line: a whole directory is parsed without a new column list per line.
    thread_local std::vector<std::string_view> texts;
    splitColumnsInto(line, texts);
    const auto column = [&](int name) { return columns.text(texts, name); };

    // Adding a new text to a table draws an index, so the fields are filled in this order.
    Tower tower;
    tower.position = parseGridRef(column(gridReference));
    tower.county = tables.counties.add(column(county), tables.draw);
    tower.place = column(place);
    tower.dedication = tables.dedications.add(column(dedication), tables.draw);
    tower.postcode = column(postcode);
    tower.groundFloor = !column(groundFloor).empty();
    tower.bells = readInteger(column(bells));
    // Joined as cwt-qr-lb, the form the weight reader reads: 12, 2 and 14 make "12-2-14".
    std::string weight(column(hundredweights));
    weight += '-';
    weight += column(quarters);
    weight += '-';
    weight += column(pounds);
    tower.weight = readWeight(weight);
    tower.approxWeight = !column(approxWeight).empty();
    tower.note = readNote(column(note));
    tower.practiceNight = readPracticeNight(column(practice));
    tower.practiceTime = readPracticeTime(column(practice));
    tower.unringable = !column(unringable).empty();
    tower.webPage = tables.webPages.add(column(webPage), tables.draw);
    return tower;
}
