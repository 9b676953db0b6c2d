#include "document/list_search.h"

#include <algorithm>

#include "query/tower_database.h"

namespace {

// Each capital of the code page outside A-Z and 0xC0-0xDE sits 0x10 below its small letter.
constexpr unsigned char capitalsBelowTheirSmallLetters[] = {0x8A, 0x8C, 0x8E};
constexpr unsigned char capitalYDiaeresis = 0x9F;
constexpr unsigned char smallYDiaeresis = 0xFF;
constexpr unsigned char multiplicationSign = 0xD7;

}  // namespace

char lowerCase1252(char byte)
{
    const auto code = static_cast<unsigned char>(byte);
    const bool latinCapital = code >= 'A' && code <= 'Z';
    const bool accentedCapital = code >= 0xC0 && code <= 0xDE && code != multiplicationSign;
    if (latinCapital || accentedCapital) return static_cast<char>(code + 0x20);
    if (std::ranges::find(capitalsBelowTheirSmallLetters, code) != std::end(capitalsBelowTheirSmallLetters))
        return static_cast<char>(code + 0x10);
    if (code == capitalYDiaeresis) return static_cast<char>(smallYDiaeresis);
    return byte;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::ranges::equal(text.substr(0, prefix.size()), prefix, {}, lowerCase1252, lowerCase1252);
}

std::int32_t firstPlaceStartingWith(const TowerDatabase& database, std::string_view prefix)
{
    for (std::int32_t position = 0; position < database.displayedCount(); ++position)
        if (startsWithIgnoringCase(database.displayedTower(position)->place, prefix)) return position;
    return -1;
}

std::int32_t displayPositionOf(const TowerDatabase& database, const Tower* tower)
{
    if (tower == nullptr) return -1;
    const auto found = std::ranges::find(database.displayOrder, tower->id);
    if (found == database.displayOrder.end()) return -1;
    return static_cast<std::int32_t>(found - database.displayOrder.begin());
}
