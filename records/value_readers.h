#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The readers of the source columns. The viewer's selection reads the bounds a user types with
// the same readers, so both programs must read every text alike. None of them fails: a text
// they cannot read gives 0.

// Leading white space, an optional sign, decimal digits up to the first other character.
std::int32_t readInteger(std::string_view text);
// Hyphenated cwt-qr-lb ("12-2-14" is 1414 lb), or whole cwt with an optional "&#188;" to
// "&#190;" fraction ("12&#189;" is 1400 lb). Pounds.
std::int32_t readWeight(std::string_view text);
// Whether readWeight leaves out part of a weight the text writes: a digit other than 0 beyond the
// numbers it reads ("12-2", a second number without a third; "12.5"; "1e1"; "12-2-14-1") or a
// fraction character ("12\xBD"), which it knows only as "&#189;".
bool weightReadInPart(std::string_view text);
// "Ab" 3, "A" 4, "A#" 5 ... "G#" 23; 0 for the empty text.
std::int32_t readNote(std::string_view text);
// Day 1 (Sun) to 7 (Sat) from the first of "Sun".."Sat", "0".."7" found in the text, plus 8 for
// a '-' or 16 for a '+' just before it.
std::int32_t readPracticeNight(std::string_view text);
// Minutes after midnight from the number that starts at the text's fifth character
// ("Mon 19.30" is 1170).
std::int32_t readPracticeTime(std::string_view text);

// A whole text as a 32-bit integer, blanks around it allowed, as a box for a number accepts it;
// none for anything else.
std::optional<std::int32_t> readWholeInteger(std::string_view text);

