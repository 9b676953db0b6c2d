#include "query/gps_exports.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "records/number_text.h"
#include "geo/wgs84.h"
#include "query/csv_export.h"
#include "query/chunked_writer.h"
#include "query/tower_database.h"
#include "query/tower_text.h"
#include "query/user_fields.h"
#include "records/windows1252.h"

namespace {

// A directory text as XML character data or attribute value: UTF-8, the five markup characters
// as entities, and the control characters XML does not allow left out.
// Appends the runs of bytes that `plain` accepts as they are, and hands every other byte to
// `special`.
template <typename Plain, typename Special>
void appendEscaped(std::string& text, std::string_view bytes, Plain plain, Special special)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (plain(bytes[i])) continue;
        text.append(bytes.data() + start, i - start);
        special(bytes[i]);
        start = i + 1;
    }
    text.append(bytes.data() + start, bytes.size() - start);
}

bool isPlainAscii(char c) { return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80; }

void appendXml(std::string& text, std::string_view bytes)
{
    const auto plain = [](char c) { return isPlainAscii(c) && c != '&' && c != '<' && c != '>' && c != '"' && c != '\''; };
    appendEscaped(text, bytes, plain, [&text](char c) {
        switch (c) {
        case '&': text += "&amp;"; break;
        case '<': text += "&lt;"; break;
        case '>': text += "&gt;"; break;
        case '"': text += "&quot;"; break;
        case '\'': text += "&apos;"; break;
        // A reader turns a carriage return into a line feed, and all three into spaces in an
        // attribute, unless they come as references.
        case '\t': text += "&#9;"; break;
        case '\n': text += "&#10;"; break;
        case '\r': text += "&#13;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20) appendUtf8Of(text, static_cast<unsigned char>(c));
        }
    });
}

// A directory text as a JSON string: UTF-8, quoted, with the characters JSON escapes escaped.
void appendJsonString(std::string& text, std::string_view bytes)
{
    text += '"';
    const auto plain = [](char c) { return isPlainAscii(c) && c != '"' && c != '\\'; };
    appendEscaped(text, bytes, plain, [&text](char c) {
        switch (c) {
        case '"': text += "\\\""; break;
        case '\\': text += "\\\\"; break;
        case '\n': text += "\\n"; break;
        case '\r': text += "\\r"; break;
        case '\t': text += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char hex[] = "0123456789abcdef";
                text += "\\u00";
                text += hex[(c >> 4) & 0xF];
                text += hex[c & 0xF];
            } else {
                appendUtf8Of(text, static_cast<unsigned char>(c));
            }
        }
    });
    text += '"';
}

// The displayed towers that have a place, with it, in display order.
struct PlacedTower {
    const Tower* tower;
    Wgs84 place;
};

std::vector<PlacedTower> placedTowers(const TowerDatabase& database, const Wgs84Converter& toWgs84,
                                      GpsExportCounts& counts)
{
    std::vector<const Tower*> towers;
    std::vector<Position> positions;
    for (const TowerId id : database.displayOrder) {
        const Tower* tower = database.tower(id);
        if (tower == nullptr) continue;
        towers.push_back(tower);
        positions.push_back(tower->position);
    }
    const std::vector<std::optional<Wgs84>> places = toWgs84.convert(positions);
    std::vector<PlacedTower> placed;
    placed.reserve(towers.size());
    for (std::size_t i = 0; i < towers.size(); ++i) {
        if (places[i])
            placed.push_back({towers[i], *places[i]});
        else
            ++counts.leftOut;
    }
    counts.written = static_cast<std::int32_t>(placed.size());
    return placed;
}

}  // namespace

GpsExportCounts writeGpx(std::ostream& out, const TowerDatabase& database, const UserFields& fields,
                         ReferenceSystem system, const Wgs84Converter& toWgs84)
{
    GpsExportCounts counts;
    const std::vector<PlacedTower> placed = placedTowers(database, toWgs84, counts);
    ChunkedWriter writer(out);
    std::string& text = writer.text();
    text +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gpx version=\"1.1\" creator=\"Belfrix\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    if (counts.leftOut > 0) {
        text += "<!-- ";
        appendDecimal(text, counts.leftOut);
        text += counts.leftOut == 1 ? " tower without a position is left out -->\n"
                                    : " towers without a position are left out -->\n";
    }
    std::string description;
    for (const PlacedTower& entry : placed) {
        const Tower& tower = *entry.tower;
        text += "<wpt lat=\"";
        appendSixDecimals(text, entry.place.latitude);
        text += "\" lon=\"";
        appendSixDecimals(text, entry.place.longitude);
        text += "\">\n  <name>";
        appendXml(text, tower.place);
        text += "</name>\n  <desc>";
        description.clear();
        appendTowerDescription(description, &tower, database, true, fields, system);
        appendXml(text, description);
        text += "</desc>\n";
        if (tower.webPage != 0) {
            text += "  <link href=\"";
            appendXml(text, webLink(database.webAddress(tower.webPage)));
            text += "\"/>\n";
        }
        text += "  <type>";
        appendDecimal(text, tower.bells);
        text += tower.bells == 1 ? " bell" : " bells";
        text += "</type>\n</wpt>\n";
        writer.lineDone();
    }
    text += "</gpx>\n";
    return counts;
}

namespace {

// The properties' names: TowerId, the export's columns, then the named fields. A field named like
// a name before it (another field's, "place", "TowerId") is told apart by the first of " (2)",
// " (3)" and so on that no name has, as a reader keeps only one value of a repeated name.
std::vector<std::string> propertyNames(const UserFields& fields, const std::vector<int>& namedSlots)
{
    std::vector<std::string> names{"TowerId"};
    names.insert(names.end(), exportColumnNames.begin(), exportColumnNames.end());
    std::vector<std::string> given;
    for (const int slot : namedSlots) given.push_back(fields[slot].name);
    const auto among = [](const std::vector<std::string>& list, const std::string& name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (const std::string& name : given) {
        std::string unique = name;
        for (int repeat = 2; among(names, unique); ++repeat) {
            unique = name + " (" + std::to_string(repeat) + ")";
            if (among(given, unique)) unique = name;  // a field's own name is left to it
        }
        names.push_back(std::move(unique));
    }
    return names;
}

}  // namespace

GpsExportCounts writeGeoJson(std::ostream& out, const TowerDatabase& database, const UserFields& fields,
                             ReferenceSystem system, const Wgs84Converter& toWgs84)
{
    GpsExportCounts counts;
    const std::vector<PlacedTower> placed = placedTowers(database, toWgs84, counts);
    const std::vector<int> namedSlots = fields.namedSlots();
    const std::vector<std::string> names = propertyNames(fields, namedSlots);
    std::vector<ExportCell> cells;
    ChunkedWriter writer(out);
    std::string& text = writer.text();
    text += "{\"type\":\"FeatureCollection\",\"features\":[";
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Tower& tower = *placed[i].tower;
        text += i == 0 ? "\n" : ",\n";
        text += "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[";
        appendSixDecimals(text, placed[i].place.longitude);
        text += ',';
        appendSixDecimals(text, placed[i].place.latitude);
        text += "]},\"properties\":{";
        appendJsonString(text, names[0]);
        text += ':';
        appendDecimal(text, tower.id);
        exportCells(tower, database, fields, system, namedSlots, cells);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const ExportCell& cell = cells[column];
            text += ',';
            appendJsonString(text, names[column + 1]);
            text += ':';
            if (cell.isNumber)
                text += cell.text;
            else
                appendJsonString(text, cell.text);
        }
        text += "}}";
        writer.lineDone();
    }
    text += "\n]}\n";
    return counts;
}
