#pragma once

#include <cstdint>
#include <string>

#include "records/position.h"

// The reference systems a place can be told in; numbered as the Options dialog's radio buttons.
enum class ReferenceSystem : std::int32_t { OS = 0, UTM = 1, LatLong = 2 };

// The text of a position in a reference system: "TQ102665", "30U:(679,5696)" or degrees, minutes
// and seconds with the degree sign as the byte 0xB0. Empty for no position, and for an Irish
// position in UTM or Lat/Long.
std::string locationText(Position position, ReferenceSystem system);
void appendLocationText(std::string& text, Position position, ReferenceSystem system);

// Degrees (not negative) as whole degrees, the degree sign 0xB0, minutes, "'", seconds and '"',
// each truncated toward zero: 51.3868 is 51\xB023'12".
std::string formatDms(double degrees);
void appendDms(std::string& text, double degrees);
