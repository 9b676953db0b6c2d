#include "query/csv_export.h"

#include <ostream>
#include <vector>

#include "geo/location_text.h"
#include "query/tower_text.h"
#include "query/user_fields.h"
#include "records/tower_database.h"

namespace {

constexpr std::string_view lineEnd = "\r\n";

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendRow(std::string& row, const Tower& tower, const TowerDatabase& database,
               const std::vector<int>& namedSlots)
{
    appendQuoted(row, tower.place);
    row += ',';
    appendQuoted(row, database.countyName(tower.county));
    row += ',';
    appendQuoted(row, database.dedicationText(tower.dedication));
    row += ',';
    if (tower.groundFloor) row += "(GF)";
    row += ',';
    row += std::to_string(tower.bells);
    row += ',';
    appendQuoted(row, formatWeight(tower));
    row += ',';
    row += formatNote(tower.note);
    row += ',';
    if (tower.unringable) row += " Unringable";  // the blank belongs to the cell
    row += ',';
    appendQuoted(row, formatNight(tower.practiceNight));
    row += ',';
    row += formatTime(tower.practiceTime);
    row += ',';
    appendQuoted(row, locationText(tower.position));
    row += ',';
    appendQuoted(row, database.webAddress(tower.webPage));
    for (int slot : namedSlots) {
        row += ',';
        // Dates and numbers hold no comma or quote, so only texts need quoting.
        std::string value = userFieldValueText(slot, tower.id);
        if (userFields[slot].type == FieldType::String) {
            appendQuoted(row, value);
        } else {
            row += value;
        }
    }
}

}  // namespace

std::string csvQuote(std::string_view text)
{
    std::string quoted;
    appendQuoted(quoted, text);
    return quoted;
}

std::string csvHeader()
{
    std::string header = "place,county,dedication,gf,bells,weight,note"
                         ",ringable,night,time,grid ref,www";
    for (int slot : namedUserFieldSlots()) {
        header += ',';
        appendQuoted(header, userFields[slot].name);
    }
    return header;
}

std::string csvRow(const Tower& tower, const TowerDatabase& database)
{
    std::string row;
    appendRow(row, tower, database, namedUserFieldSlots());
    return row;
}

void writeCsv(std::ostream& out, const TowerDatabase& database)
{
    const std::vector<int> namedSlots = namedUserFieldSlots();
    std::string line = csvHeader();
    line += lineEnd;
    out << line;
    for (TowerId id : database.displayOrder) {
        // Every id of the display order is a tower of the database; an id without one is skipped
        // rather than written as a row of nothing.
        const Tower* tower = database.tower(id);
        if (tower == nullptr) continue;
        line.clear();
        appendRow(line, *tower, database, namedSlots);
        line += lineEnd;
        out << line;
    }
}
