#include "records/value_readers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "records/number_text.h"
#include "records/tower.h"

namespace {

// A decimal number such as "19.30", "-7.5" or "1e2" after optional white space, read to the
// nearest single-precision value; none when the text holds no such number or it overflows.
std::optional<float> readFloatAt(std::string_view text, std::size_t from)
{
    std::size_t at = from;
    while (at < text.size() && isScanSpace(text[at])) ++at;
    if (at < text.size() && text[at] == '+') ++at;  // std::from_chars takes no '+'
    const std::size_t start = at;
    if (at < text.size() && text[at] == '-') ++at;
    std::size_t digits = 0;
    while (at < text.size() && isDigit(text[at])) ++at, ++digits;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && isDigit(text[at])) ++at, ++digits;
    }
    if (digits == 0) return std::nullopt;
    // from_chars also reads "inf", "nan" and an exponent; the span handed to it holds only the
    // digits checked above and an exponent when one follows.
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) {
            at = exponent;
            while (at < text.size() && isDigit(text[at])) ++at;
        }
    }
    float value = 0;
    const auto result = std::from_chars(text.data() + start, text.data() + at, value);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

}  // namespace

std::int32_t readInteger(std::string_view text) { return readIntegerAt(text, 0).value; }

std::int32_t readWeight(std::string_view text)
{
    // Up to three numbers, the way "%d%d%d" scans: "12-2-14" is 12, -2, -14.
    std::array<std::int64_t, 3> numbers{};
    int count = 0;
    std::size_t at = 0;
    while (count < 3) {
        const IntegerRead read = readIntegerAt(text, at);
        if (read.end == 0) break;
        numbers[count++] = read.value;
        at = read.end;
    }
    if (count == 3)
        return clampToInt32(static_cast<double>(poundsPerHundredweight * numbers[0]
                                                - poundsPerQuarter * numbers[1] - numbers[2]));

    std::int64_t pounds = poundsPerHundredweight * numbers[0];
    // "&#188;" to "&#190;" are the quarter, half and three-quarter fraction characters.
    if (const std::size_t fraction = text.find("&#"); fraction != std::string_view::npos) {
        switch (readIntegerAt(text, fraction + 2).value) {
        case 188: pounds += 1 * poundsPerQuarter; break;
        case 189: pounds += 2 * poundsPerQuarter; break;
        case 190: pounds += 3 * poundsPerQuarter; break;
        default: break;
        }
    }
    return clampToInt32(static_cast<double>(pounds));
}

std::int32_t readNote(std::string_view text)
{
    if (text.empty()) return 0;
    // The letter's code as a signed byte: 3 * 'A' - 191 is 4, the code of A natural.
    const std::int32_t natural = 3 * static_cast<signed char>(text[0]) - 191;
    if (text.size() == 1) return natural;
    if (text[1] == '#') return natural + 1;
    if (text[1] == 'b' || text[1] == 'F') return natural - 1;
    return text.find("flat") != std::string_view::npos ? natural - 1 : natural;
}

std::int32_t readPracticeNight(std::string_view text)
{
    struct Entry {
        std::string_view text;
        std::int32_t day;
    };
    // Searched in this order: the first entry found anywhere wins, not the first in the text.
    static constexpr std::array<Entry, 15> searchList = {{
        {"Sun", 1}, {"Mon", 2}, {"Tue", 3}, {"Wed", 4}, {"Thu", 5}, {"Fri", 6}, {"Sat", 7},
        {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"6", 6}, {"7", 7},
    }};
    for (const Entry& entry : searchList) {
        const std::size_t found = text.find(entry.text);
        if (found == std::string_view::npos) continue;
        std::int32_t code = entry.day;
        if (found > 0 && text[found - 1] == '-') code += practiceMinusMark;
        if (found > 0 && text[found - 1] == '+') code += practicePlusMark;
        return code;
    }
    return 0;
}

std::int32_t readPracticeTime(std::string_view text)
{
    // The first four characters hold the day ("Mon ", "Tues"); the time starts at the fifth.
    if (text.size() < 5) return 0;
    const std::optional<float> read = readFloatAt(text, 4);
    if (!read) return 0;
    // Hours before the point, the first two decimals minutes: 19.30 is 19 * 60 + 30.
    const double v = *read;
    const double minutes = std::trunc(100 * v - 40 * std::floor(v) + 0.5);
    if (!(minutes >= std::numeric_limits<std::int32_t>::min()
          && minutes <= std::numeric_limits<std::int32_t>::max()))
        return 0;
    return static_cast<std::int32_t>(minutes);
}

std::optional<std::int32_t> readWholeInteger(std::string_view text)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

