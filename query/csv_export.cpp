#include "query/csv_export.h"

#include <ostream>
#include <vector>

#include "geo/location_text.h"
#include "query/chunked_writer.h"
#include "query/tower_text.h"
#include "records/number_text.h"
#include "query/user_fields.h"
#include "query/tower_database.h"

namespace {

constexpr std::string_view lineEnd = "\r\n";

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
        out.append(text.substr(0, quote + 1));
        out += '"';
        text.remove_prefix(quote + 1);
    }
    out += text;
    out += '"';
}

// Quotes what `append` writes onto the end of out, in place.
template <typename Append>
void appendQuotedBy(std::string& out, Append append)
{
    out += '"';
    const std::size_t start = out.size();
    append();
    if (out.find('"', start) != std::string::npos) {
        const std::string written = out.substr(start);
        out.resize(start - 1);
        appendQuoted(out, written);
        return;
    }
    out += '"';
}

// A cell written bare, as most are, unless what `append` writes holds a comma, a quote or a line
// break, which a reader would take for the cell's end: then it is quoted.
template <typename Append>
void appendBareUnlessItEnds(std::string& out, Append append)
{
    const std::size_t start = out.size();
    append();
    if (out.find_first_of(",\"\r\n", start) == std::string::npos) return;
    const std::string written = out.substr(start);
    out.resize(start);
    appendQuoted(out, written);
}

void appendRow(std::string& row, const Tower& tower, const TowerDirectory& database, const UserFields& fields,
               ReferenceSystem system, const std::vector<int>& namedSlots)
{
    appendQuoted(row, tower.place);
    row += ',';
    appendQuoted(row, database.countyName(tower.county));
    row += ',';
    appendQuoted(row, database.dedicationText(tower.dedication));
    row += ',';
    if (tower.groundFloor) row += "(GF)";
    row += ',';
    appendDecimal(row, tower.bells);
    row += ',';
    appendQuotedBy(row, [&] { appendWeight(row, tower); });
    row += ',';
    // A note's letter may be any byte a source line gave it.
    appendBareUnlessItEnds(row, [&] { appendNote(row, tower.note); });
    row += ',';
    if (tower.unringable) row += " Unringable";  // the blank belongs to the cell
    row += ',';
    appendQuotedBy(row, [&] { appendNight(row, tower.practiceNight); });
    row += ',';
    appendTime(row, tower.practiceTime);
    row += ',';
    appendQuotedBy(row, [&] { appendLocationText(row, tower.position, system); });
    row += ',';
    appendQuoted(row, database.webAddress(tower.webPage));
    for (int slot : namedSlots) {
        row += ',';
        // Dates and numbers hold no comma or quote, so only texts need quoting.
        if (fields[slot].type == FieldType::String) {
            const std::string* text = fields.text(slot, tower.id);
            appendQuoted(row, text ? std::string_view(*text) : std::string_view());
        } else {
            fields.appendValueText(row, slot, tower.id);
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

std::string csvHeader(const UserFields& fields)
{
    std::string header;
    for (const std::string_view name : exportColumnNames) {
        if (!header.empty()) header += ',';
        header += name;
    }
    for (int slot : fields.namedSlots()) {
        header += ',';
        appendQuoted(header, fields[slot].name);
    }
    return header;
}

void exportCells(const Tower& tower, const TowerDirectory& database, const UserFields& fields,
                 ReferenceSystem system, const std::vector<int>& namedSlots, std::vector<ExportCell>& cells)
{
    // The cells' texts keep their room from one tower to the next.
    cells.resize(exportColumnNames.size() + namedSlots.size());
    for (ExportCell& cell : cells) {
        cell.text.clear();
        cell.isNumber = false;
    }
    auto cell = [&](std::size_t column, auto append) {
        cells[column].name = exportColumnNames[column];
        append(cells[column].text);
    };
    cell(0, [&](std::string& text) { text = tower.place; });
    cell(1, [&](std::string& text) { text = database.countyName(tower.county); });
    cell(2, [&](std::string& text) { text = database.dedicationText(tower.dedication); });
    cell(3, [&](std::string& text) { text = tower.groundFloor ? "(GF)" : ""; });
    cell(4, [&](std::string& text) { appendDecimal(text, tower.bells); });
    cells[4].isNumber = true;
    cell(5, [&](std::string& text) { appendWeight(text, tower); });
    cell(6, [&](std::string& text) { appendNote(text, tower.note); });
    cell(7, [&](std::string& text) { text = tower.unringable ? " Unringable" : ""; });
    cell(8, [&](std::string& text) { appendNight(text, tower.practiceNight); });
    cell(9, [&](std::string& text) { appendTime(text, tower.practiceTime); });
    cell(10, [&](std::string& text) { appendLocationText(text, tower.position, system); });
    cell(11, [&](std::string& text) { text = database.webAddress(tower.webPage); });
    for (std::size_t k = 0; k < namedSlots.size(); ++k) {
        ExportCell& added = cells[exportColumnNames.size() + k];
        added.name = fields[namedSlots[k]].name;
        fields.appendValueText(added.text, namedSlots[k], tower.id);
    }
}

std::string csvRow(const Tower& tower, const TowerDirectory& database, const UserFields& fields,
                   ReferenceSystem system)
{
    std::string row;
    appendRow(row, tower, database, fields, system, fields.namedSlots());
    return row;
}

void writeCsv(std::ostream& out, const TowerDatabase& database, const UserFields& fields, ReferenceSystem system)
{
    const std::vector<int> namedSlots = fields.namedSlots();
    ChunkedWriter writer(out);
    std::string& lines = writer.text();
    lines += csvHeader(fields);
    lines += lineEnd;
    for (TowerId id : database.displayOrder) {
        // Every id of the display order is a tower of the database; an id without one is skipped
        // rather than written as a row of nothing.
        const Tower* tower = database.tower(id);
        if (tower == nullptr) continue;
        appendRow(lines, *tower, database, fields, system, namedSlots);
        lines += lineEnd;
        writer.lineDone();
    }
}
