#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/position.h"

// Grid reference text: "TQ102665" (two letters of the national grid, three digits of easting,
// three of northing, 100 m resolution) or "O 153340" (one Irish grid letter and a blank).

// The 25 square letters, A to Z without I; index k is column k mod 5 (west to east) and
// row k div 5 (south to north).
inline constexpr std::string_view GridLetters = "VWXYZQRSTULMNOPFGHJKABCDE";

// Irish grid places are moved into the national plane by this many 100 m units.
inline constexpr std::int32_t irishOffsetX = -1977;
inline constexpr std::int32_t irishOffsetY = 1672;

// Text of fewer than 8 characters is no position, (0, 0). Never fails: any text gives a position.
Position parseGridRef(std::string_view text);

// A place as a user types it, upper-cased: two letters naming a 100 km square of the national
// grid (its first letter one of H, J, N, O, S, T) and six figures, "TQ102665", or a letter of
// the Irish grid, a blank and six figures, "O 153340". None for any other text, which names no
// grid square or no place in it to 100 m.
std::optional<std::string> typedGridReference(std::string_view text);
// Whether the text is such a reference as it stands, its letters capitals.
bool writtenAsReference(std::string_view text);

// The "OS" form of a position: Irish for a position in the Irish range, national otherwise,
// empty text for (0, 0).
std::string formatGridRef(Position position);
void appendGridRef(std::string& text, Position position);

// True for -1977 < x < 2023 and 1672 < y < 6672.
bool isIrishPosition(Position position);

// Lowest (upper false) or highest (upper true) easting or northing that a reference beginning
// with this partial text can have; 0 when the text makes no full reference.
std::int32_t eastingBound(std::string_view text, bool upper);
std::int32_t northingBound(std::string_view text, bool upper);
// Whether the text begins as a reference does, with its square's letters: two, or one and a blank.
bool beginsWithSquareLetters(std::string_view text);
