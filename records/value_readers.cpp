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

// Minutes after midnight from a time written plainly, "19.30", "7.3" or "19": up to four digits
// of hours and up to two decimals, ending in anything but a further digit or an exponent. As a
// single-precision number such a time lies within a twentieth of a minute of its decimal value,
// so the hours and decimals give the minutes exactly as rounding the number does. None for any
// other text, which is read as a number.
std::optional<std::int32_t> readPlainTime(std::string_view text)
{
    std::size_t at = 0;
    std::int32_t hours = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        if (at == 4) return std::nullopt;
        hours = hours * 10 + (text[at] - '0');
    }
    if (at == 0) return std::nullopt;
    std::int32_t hundredths = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        for (std::int32_t place = 10; at < text.size() && isDigit(text[at]); ++at, place /= 10) {
            if (place == 0) return std::nullopt;
            hundredths += place * (text[at] - '0');
        }
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) return std::nullopt;
    return 60 * hours + hundredths;
}

}  // namespace

std::int32_t readInteger(std::string_view text) { return readIntegerAt(text, 0).value; }

namespace {

// A weight's numbers as "%d%d%d" scans them: up to three ("12-2-14" is 12, -2, -14), where the
// first ends and where the scan stopped.
struct WeightScan {
    std::array<std::int64_t, 3> numbers{};
    int count = 0;
    std::size_t firstEnd = 0;
    std::size_t end = 0;
};

WeightScan scanWeight(std::string_view text)
{
    WeightScan scan;
    while (scan.count < 3) {
        const IntegerRead read = readIntegerAt(text, scan.end);
        if (read.end == 0) break;
        scan.numbers[scan.count++] = read.value;
        scan.end = read.end;
        if (scan.count == 1) scan.firstEnd = read.end;
    }
    return scan;
}

// The "&#188;" to "&#190;" fraction a whole number of hundredweights may carry: its quarters, and
// where it begins and its number ends; none for a text without one.
struct WeightFraction {
    std::int32_t quarters = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::optional<WeightFraction> weightFraction(std::string_view text)
{
    const std::size_t fraction = text.find("&#");
    if (fraction == std::string_view::npos) return std::nullopt;
    const IntegerRead code = readIntegerAt(text, fraction + 2);
    if (code.value < 188 || code.value > 190) return std::nullopt;
    return WeightFraction{code.value - 187, fraction, code.end};
}

}  // namespace

std::int32_t readWeight(std::string_view text)
{
    const WeightScan scan = scanWeight(text);
    if (scan.count == 3)
        return clampToInt32(static_cast<double>(poundsPerHundredweight * scan.numbers[0]
                                                - poundsPerQuarter * scan.numbers[1] - scan.numbers[2]));
    std::int64_t pounds = poundsPerHundredweight * scan.numbers[0];
    if (const std::optional<WeightFraction> fraction = weightFraction(text)) pounds += fraction->quarters * poundsPerQuarter;
    return clampToInt32(static_cast<double>(pounds));
}

bool weightReadInPart(std::string_view text)
{
    if (text.find_first_of("\xBC\xBD\xBE") != std::string_view::npos) return true;
    // After three numbers the reader reads nothing more; with fewer, only the first and a fraction.
    const WeightScan scan = scanWeight(text);
    std::string unread(text.substr(scan.count == 3 ? scan.end : scan.firstEnd));
    if (const std::optional<WeightFraction> fraction = weightFraction(unread); fraction && scan.count < 3)
        unread.erase(fraction->begin, fraction->end - fraction->begin);
    // A zero left out changes nothing: "12-0" and "12.0" are 12-0-0 as typed.
    return unread.find_first_of("123456789") != std::string::npos;
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
    // The entries are searched in this order, Sun to Sat (days 1 to 7), then "0" to "7" (days 0
    // to 7): the first entry found anywhere wins, not the first in the text, at the first place
    // it stands. Every day name comes before every digit, so digits are looked for only in a
    // text that names no day.
    constexpr std::array<std::string_view, 7> dayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    constexpr std::size_t none = std::string_view::npos;
    std::size_t bestAt = none;
    std::int32_t code = 0;
    for (std::size_t at = 0; at + 3 <= text.size() && code != 1; ++at) {
        const char c = text[at];
        if (c != 'S' && c != 'M' && c != 'T' && c != 'W' && c != 'F') continue;
        const std::string_view name = text.substr(at, 3);
        for (std::int32_t day = 1; day <= 7 && (code == 0 || day < code); ++day) {
            if (name != dayNames[day - 1]) continue;
            code = day;
            bestAt = at;
        }
    }
    if (bestAt == none) {
        code = 8;  // beyond the last digit entry
        for (std::size_t at = 0; at < text.size() && code > 0; ++at) {
            const std::int32_t digit = text[at] - '0';
            if (digit < 0 || digit >= code) continue;
            code = digit;
            bestAt = at;
        }
        if (bestAt == none) return 0;
    }
    if (bestAt > 0 && text[bestAt - 1] == '-') code += practiceMinusMark;
    if (bestAt > 0 && text[bestAt - 1] == '+') code += practicePlusMark;
    return code;
}

std::int32_t readPracticeTime(std::string_view text)
{
    // The first four characters hold the day ("Mon ", "Tues"); the time starts at the fifth.
    if (text.size() < 5) return 0;
    if (const std::optional<std::int32_t> minutes = readPlainTime(text.substr(4))) return *minutes;
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

