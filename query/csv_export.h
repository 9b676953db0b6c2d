#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "records/tower.h"

class TowerDatabase;
class TowerDirectory;

// The export file of the displayed towers: one header line, then one row per displayed tower in
// display order. Lines end in CR LF whatever the platform, so the stream should be binary.

// The text in double quotes, each double quote in it doubled.
std::string csvQuote(std::string_view text);
// The column names, then the quoted names of the named user fields; no line end.
std::string csvHeader();
// Twelve columns, then one per named user field; no line end.
std::string csvRow(const Tower& tower, const TowerDirectory& database);
// Header and the rows of the display order, each line ended by CR LF.
void writeCsv(std::ostream& out, const TowerDatabase& database);
