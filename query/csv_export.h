#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "geo/location_text.h"
#include "records/tower.h"

class TowerDatabase;
class TowerDirectory;
class UserFields;

// The export file of the displayed towers: one header line, then one row per displayed tower in
// display order. Lines end in CR LF whatever the platform, so the stream should be binary.

// The export's twelve columns, before those of the named user fields.
inline constexpr std::array<std::string_view, 12> exportColumnNames = {
    "place", "county", "dedication", "gf", "bells", "weight", "note",
    "ringable", "night", "time", "grid ref", "www"};

// One column of a tower's export row, as its text before any quoting.
struct ExportCell {
    std::string_view name;
    std::string text;
    bool isNumber = false;  // the number of bells; every other column is a text
};

// The cells of a tower's row: the twelve columns, the place in the reference system given, then
// the named user fields of the slots given. Other formats that carry the export's columns take
// them from here.
void exportCells(const Tower& tower, const TowerDirectory& database, const UserFields& fields,
                 ReferenceSystem system, const std::vector<int>& namedSlots, std::vector<ExportCell>& cells);

// The text in double quotes, each double quote in it doubled.
std::string csvQuote(std::string_view text);
// The column names, then the quoted names of the named user fields; no line end.
std::string csvHeader(const UserFields& fields);
// Twelve columns, then one per named user field; no line end.
std::string csvRow(const Tower& tower, const TowerDirectory& database, const UserFields& fields,
                   ReferenceSystem system);
// Header and the rows of the display order, each line ended by CR LF.
void writeCsv(std::ostream& out, const TowerDatabase& database, const UserFields& fields, ReferenceSystem system);
