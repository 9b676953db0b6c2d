#pragma once

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Whole numbers and their decimal texts, as the directory's readers, the grid references and the
// location texts all read and write them.

// White space as the C library's isspace sees it in the "C" locale.
inline bool isScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct IntegerRead {
    std::int32_t value = 0;
    std::size_t end = 0;  // just past the number; 0 when there was none
};

// A text of one to four decimal digits and nothing else, as its number; none for any other text,
// which readIntegerAt reads. Most numbers of the source are written so.
inline std::optional<std::int32_t> readShortDigits(std::string_view text)
{
    if (text.empty() || text.size() > 4) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Reads as a "%d" scan does from `from`: white space, an optional sign and digits. A number
// beyond the 32-bit range stops at its limit instead of wrapping into a value of the other sign.
IntegerRead readIntegerAt(std::string_view text, std::size_t from);

// A number as a 32-bit integer: truncated toward zero, held at the ends of the range beyond them,
// and 0 for NaN, where a plain conversion would be undefined.
std::int32_t clampToInt32(double value);

// Whole numbers written in decimal onto the end of a text being built, without a text of their
// own in between.

// Plain decimal, a '-' in front of a negative number: as "%d" writes it.
inline void appendDecimal(std::string& text, std::int64_t value)
{
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, static_cast<std::size_t>(end - digits));
}

// Padded on the left with '0' to `width` characters, the sign counted among them: as "%0*d"
// writes it (-5 to width 3 is "-05").
inline void appendZeroPadded(std::string& text, std::int64_t value, int width)
{
    char digits[24];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const bool negative = value < 0;
    if (negative) text += '-';
    if (const auto length = end - digits; length < width) text.append(static_cast<std::size_t>(width - length), '0');
    const char* const first = negative ? digits + 1 : digits;
    text.append(first, static_cast<std::size_t>(end - first));
}

// A real number to six decimals, rounded to the nearest millionth ("51.387295", "-0.416970"):
// degrees of latitude and longitude to about 10 cm.
inline void appendSixDecimals(std::string& text, double value)
{
    const long long millionths = std::llround(value * 1e6);
    const long long whole = millionths / 1'000'000;
    if (millionths < 0 && whole == 0) text += '-';
    appendDecimal(text, whole);
    text += '.';
    appendZeroPadded(text, std::llabs(millionths % 1'000'000), 6);
}
