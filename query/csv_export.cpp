#include "query/csv_export.h"

#include <ostream>
#include <vector>

#include "geo/decimal_text.h"
#include "geo/location_text.h"
#include "query/tower_text.h"
#include "query/user_fields.h"
#include "query/tower_database.h"

namespace {

constexpr std::string_view lineEnd = "\r\n";
// The rows are handed to the stream in pieces of about this many bytes.
constexpr std::size_t writeChunk = 1 << 16;

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

void appendRow(std::string& row, const Tower& tower, const TowerDirectory& database,
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
    appendDecimal(row, tower.bells);
    row += ',';
    appendQuotedBy(row, [&] { appendWeight(row, tower); });
    row += ',';
    appendNote(row, tower.note);
    row += ',';
    if (tower.unringable) row += " Unringable";  // the blank belongs to the cell
    row += ',';
    appendQuotedBy(row, [&] { appendNight(row, tower.practiceNight); });
    row += ',';
    appendTime(row, tower.practiceTime);
    row += ',';
    appendQuotedBy(row, [&] { appendLocationText(row, tower.position); });
    row += ',';
    appendQuoted(row, database.webAddress(tower.webPage));
    for (int slot : namedSlots) {
        row += ',';
        // Dates and numbers hold no comma or quote, so only texts need quoting.
        if (userFields[slot].type == FieldType::String) {
            const std::string* text = userFieldText(slot, tower.id);
            appendQuoted(row, text ? std::string_view(*text) : std::string_view());
        } else {
            appendUserFieldValueText(row, slot, tower.id);
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

std::string csvRow(const Tower& tower, const TowerDirectory& database)
{
    std::string row;
    appendRow(row, tower, database, namedUserFieldSlots());
    return row;
}

void writeCsv(std::ostream& out, const TowerDatabase& database)
{
    const std::vector<int> namedSlots = namedUserFieldSlots();
    std::string lines = csvHeader();
    lines += lineEnd;
    lines.reserve(writeChunk + 4096);
    for (TowerId id : database.displayOrder) {
        // Every id of the display order is a tower of the database; an id without one is skipped
        // rather than written as a row of nothing.
        const Tower* tower = database.tower(id);
        if (tower == nullptr) continue;
        appendRow(lines, *tower, database, namedSlots);
        lines += lineEnd;
        if (lines.size() >= writeChunk) {
            out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
            lines.clear();
        }
    }
    out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
}
