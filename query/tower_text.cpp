#include "query/tower_text.h"

#include <array>
#include <cctype>

#include "records/number_text.h"
#include "records/one_line.h"
#include "geo/location_text.h"
#include "query/user_fields.h"
#include "records/tower_directory.h"

// Weights, notes and times are written with C++'s / and %, which truncate toward zero and give
// remainders the dividend's sign, as the directory's encodings are defined.

namespace {

template <typename Append, typename... Arguments>
std::string formatted(Append append, const Arguments&... arguments)
{
    std::string text;
    append(text, arguments...);
    return text;
}

}  // namespace

void appendWeight(std::string& text, const Tower& tower)
{
    const std::int32_t w = tower.weight;
    appendDecimal(text, w / poundsPerHundredweight);
    text += '-';
    appendDecimal(text, (w / poundsPerQuarter) % quartersPerHundredweight);
    text += '-';
    appendDecimal(text, w % poundsPerQuarter);
    if (tower.approxWeight) text += " Approx";
}

void appendNote(std::string& text, std::int32_t code)
{
    if (code == 0) return;
    // Divided rounding down, so that a code read from a first byte below '@' or above 0x7F (a
    // negative code) gives that byte back; the byte is taken modulo 256 as printf's %c takes it.
    const std::int32_t letter = code / 3 - (code % 3 < 0 ? 1 : 0);
    text += static_cast<char>(static_cast<unsigned char>(letter + 64));
    switch (code - 3 * letter) {
    case 0: text += 'b'; break;
    case 2: text += '#'; break;
    default: break;  // natural
    }
}

void appendNight(std::string& text, std::int32_t code)
{
    static constexpr std::array<std::string_view, 8> dayNames = {
        "xxx", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    // The plus mark stands in front of the minus mark: 26 is "+-Mon".
    if (code & practicePlusMark) text += '+';
    if (code & practiceMinusMark) text += '-';
    text += dayNames[code & practiceDayBits];
}

void appendTime(std::string& text, std::int32_t minutes)
{
    // The minutes as two digits, as printf's %02d writes them; a negative time's keep their sign.
    appendDecimal(text, minutes / 60);
    text += '.';
    appendZeroPadded(text, minutes % 60, 2);
}

std::string formatWeight(const Tower& tower) { return formatted(appendWeight, tower); }
std::string formatNote(std::int32_t code) { return formatted(appendNote, code); }
std::string formatNight(std::int32_t code) { return formatted(appendNight, code); }
std::string formatTime(std::int32_t minutes) { return formatted(appendTime, minutes); }

void appendTowerName(std::string& text, const Tower* tower, const TowerDirectory& database)
{
    if (tower == nullptr) {
        text += noTowerDetails;
        return;
    }
    text += tower->place;
    if (tower->county != 0) (text += ", ") += database.countyName(tower->county);
    if (tower->dedication != 0) (text += ", ") += database.dedicationText(tower->dedication);
}

std::string towerName(const Tower* tower, const TowerDirectory& database)
{
    std::string text;
    appendTowerName(text, tower, database);
    return text;
}

void appendTowerDescription(std::string& text, const Tower* tower, const TowerDirectory& database, bool full,
                            const UserFields& fields, ReferenceSystem system)
{
    const std::size_t start = text.size();
    appendTowerName(text, tower, database);
    if (!full || tower == nullptr) return;

    if (tower->groundFloor) text += " (GF)";
    if (tower->bells != 0) {
        text += ", ";
        appendDecimal(text, tower->bells);
    }
    if (tower->weight != 0) {
        text += ", ";
        appendWeight(text, *tower);
    }
    if (tower->note != 0) {
        text += " in ";
        appendNote(text, tower->note);
    }
    if (tower->unringable) text += " Unringable";
    if (tower->practiceNight != 0) {
        text += ' ';
        appendNight(text, tower->practiceNight);
    }
    if (tower->practiceTime != 0) {
        text += ' ';
        appendTime(text, tower->practiceTime);
    }
    text += ' ';
    appendLocationText(text, tower->position, system);
    (text += ' ') += tower->postcode;  // a missing postcode leaves the blank in place
    if (tower->webPage != 0) (text += ' ') += webLink(database.webAddress(tower->webPage));
    for (const int slot : fields.namedSlots()) {
        const std::size_t before = text.size();
        ((text += ' ') += fields[slot].name) += ": ";
        const std::size_t valueStart = text.size();
        fields.appendValueText(text, slot, tower->id);
        if (text.size() == valueStart) text.resize(before);  // no value: nothing at all
    }
    // The user's texts, read from a document, can hold line breaks, and a directory compiled from
    // CR LF lines carriage returns: the description keeps to one line.
    keepToOneLine(text, start);
}

std::string towerDescription(const Tower* tower, const TowerDirectory& database, bool full,
                             const UserFields& fields, ReferenceSystem system)
{
    std::string text;
    appendTowerDescription(text, tower, database, full, fields, system);
    return text;
}

std::string webLink(std::string_view address)
{
    const auto startsWith = [address](std::string_view scheme) {
        if (address.size() < scheme.size()) return false;
        for (std::size_t i = 0; i < scheme.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(address[i])) != scheme[i]) return false;
        return true;
    };
    if (startsWith("http://") || startsWith("https://")) return std::string(address);
    return "http://" + std::string(address);
}
