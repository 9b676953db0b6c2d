#pragma once

#include <cstdint>
#include <string_view>

class TowerDatabase;
struct Tower;

// Finding a tower's line in the list: by the start of its place name as the user types it, and
// by the tower itself. Texts are Windows-1252 bytes.

// The lower-case partner of a Windows-1252 letter: A-Z, and the accented capitals 0x8A (S caron),
// 0x8C (OE), 0x8E (Z caron), 0x9F (Y diaeresis) and 0xC0-0xDE except 0xD7 (the multiplication
// sign). Every other byte is its own partner.
char lowerCase1252(char byte);

// Whether text begins with prefix, letters compared without case.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The display position of the first displayed tower whose place starts with prefix, letters
// compared without case; -1 for none.
std::int32_t firstPlaceStartingWith(const TowerDatabase& database, std::string_view prefix);

// The display position of a tower; -1 for none or one that is not displayed.
std::int32_t displayPositionOf(const TowerDatabase& database, const Tower* tower);
