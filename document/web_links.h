#pragma once

#include <string>
#include <string_view>

#include "records/position.h"
#include "geo/wgs84.h"

// Addresses of the two online street map services the "www map" button can open.
inline constexpr std::string_view streetmapHost = "www.streetmap.co.uk";
inline constexpr std::string_view multimapHost = "www.multimap.com";

// Links send the centre of the position's 100 m square in grid metres: 100 x + 50, 100 y + 50
// (negative for Irish places shifted west of the national origin).
std::string streetmapLink(Position position);
std::string multimapLink(Position position);
// The OpenStreetMap page with a marker at a WGS-84 place, latitude and longitude to six decimals
// (about 10 cm).
std::string openStreetMapLink(Wgs84 place);

std::string replaceChar(std::string_view text, char from, char to);

// The command line that starts the browser on an address: the browser command (which ends in
// the blank that separates it from its argument), then the address in double quotes with every
// '+' turned into '_'.
std::string browserCommandLine(std::string_view browserCommand, std::string_view address);

// The program part of a registered open command: everything up to and including its first
// blank; empty when it holds none.
std::string browserCommandFrom(std::string_view openCommand);
