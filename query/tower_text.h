#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geo/location_text.h"
#include "records/tower.h"

class TowerDirectory;
class UserFields;

inline constexpr std::string_view noTowerDetails = "No tower details";

// Each text form below has a twin that writes it onto the end of a text being built.

// "12-2-14" (cwt-qr-lb), with " Approx" after it for an approximate weight.
std::string formatWeight(const Tower& tower);
void appendWeight(std::string& text, const Tower& tower);
// "Ab", "A", "A#" ... from the note code; empty for 0.
std::string formatNote(std::int32_t code);
void appendNote(std::string& text, std::int32_t code);
// "Sun" .. "Sat" ("xxx" for no day), with "-" and "+" in front for the minus and plus marks.
std::string formatNight(std::int32_t code);
void appendNight(std::string& text, std::int32_t code);
// Minutes after midnight as "19.30".
std::string formatTime(std::int32_t minutes);
void appendTime(std::string& text, std::int32_t minutes);

// A tower's web address as a link: "http://" in front, unless the address already begins with
// "http://" or "https://", in any case.
std::string webLink(std::string_view address);

// The one-line description: place, county and dedication. "No tower details" for no tower.
std::string towerName(const Tower* tower, const TowerDirectory& database);
void appendTowerName(std::string& text, const Tower* tower, const TowerDirectory& database);

// The one-line description or, with full, everything known about the tower on one line: its
// place in the reference system given, and the values of the named user fields, where a line
// break or carriage return in any text shows as a space. "No tower details" for no tower.
std::string towerDescription(const Tower* tower, const TowerDirectory& database, bool full,
                             const UserFields& fields, ReferenceSystem system);
void appendTowerDescription(std::string& text, const Tower* tower, const TowerDirectory& database, bool full,
                            const UserFields& fields, ReferenceSystem system);
