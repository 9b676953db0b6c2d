#include "query/tower_text.h"

#include <array>

#include "geo/location_text.h"
#include "query/user_fields.h"
#include "records/tower_database.h"

// Weights, notes and times are written with C++'s / and %, which truncate toward zero and give
// remainders the dividend's sign, as the directory's encodings are defined.

std::string formatWeight(const Tower& tower)
{
    std::int32_t w = tower.weight;
    std::string text = std::to_string(w / 112) + "-" + std::to_string((w / 28) % 4) + "-" +
                       std::to_string(w % 28);
    if (tower.approxWeight) text += " Approx";
    return text;
}

std::string formatNote(std::int32_t code)
{
    if (code == 0) return {};
    // The letter's byte is taken modulo 256, as a character code written by printf's %c is.
    std::string text(1, static_cast<char>(static_cast<unsigned char>(code / 3 + 64)));
    switch (code % 3) {
    case 0: text += "b"; break;
    case 2: text += "#"; break;
    default: break;  // natural; a negative code's remainder names no accidental either
    }
    return text;
}

std::string formatNight(std::int32_t code)
{
    static constexpr std::array<std::string_view, 8> dayNames = {
        "xxx", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    // The plus mark stands in front of the minus mark: 26 is "+-Mon".
    std::string text;
    if (code & 16) text += '+';
    if (code & 8) text += '-';
    text += dayNames[code & 7];
    return text;
}

std::string formatTime(std::int32_t minutes)
{
    std::int32_t hours = minutes / 60;
    std::int32_t rest = minutes % 60;
    // Two digits as printf's %02d writes them; a negative time's minutes keep their sign.
    std::string text = std::to_string(hours);
    text += '.';
    if (rest >= 0 && rest < 10) text += '0';
    text += std::to_string(rest);
    return text;
}

std::string towerDescription(const Tower* tower, const TowerDatabase& database, bool full)
{
    if (tower == nullptr) return std::string(noTowerDetails);
    std::string text = tower->place;
    auto append = [&text](std::string_view before, std::string_view value) {
        text += before;
        text += value;
    };
    if (tower->county != 0) append(", ", database.countyName(tower->county));
    if (tower->dedication != 0) append(", ", database.dedicationText(tower->dedication));
    if (!full) return text;

    if (tower->groundFloor) text += " (GF)";
    if (tower->bells != 0) append(", ", std::to_string(tower->bells));
    if (tower->weight != 0) append(", ", formatWeight(*tower));
    if (tower->note != 0) append(" in ", formatNote(tower->note));
    if (tower->unringable) text += " Unringable";
    if (tower->practiceNight != 0) append(" ", formatNight(tower->practiceNight));
    if (tower->practiceTime != 0) append(" ", formatTime(tower->practiceTime));
    append(" ", locationText(tower->position));
    append(" ", tower->postcode);  // a missing postcode leaves the blank in place
    if (tower->webPage != 0) append(" http://", database.webAddress(tower->webPage));
    for (int slot : namedUserFieldSlots()) {
        std::string value = userFieldValueText(slot, tower->id);
        if (value.empty()) continue;
        append(" ", userFields[slot].name);
        append(": ", value);
    }
    return text;
}
