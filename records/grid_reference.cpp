// Grid reference text to and from a Position. A national reference is two square letters and
// six digits (100 m resolution); an Irish one is one letter, a blank and six digits, moved into
// the national plane by the Irish offset.
//
// Integer division and remainder below are C++'s, which truncate toward zero and give the
// remainder the dividend's sign, as the grid's arithmetic expects.
#include "records/grid_reference.h"

#include <algorithm>
#include <array>
#include <optional>

#include "records/number_text.h"

namespace {

// Index of a square letter in GridLetters; none for a byte that names no square (lower case
// included: letters are compared as bytes, never case folded).
std::optional<std::int32_t> letterIndex(char letter)
{
    // By byte: the letter's index in GridLetters, -1 for every other byte.
    static constexpr std::array<std::int8_t, 256> indexOfByte = [] {
        std::array<std::int8_t, 256> index{};
        index.fill(-1);
        for (std::size_t k = 0; k < GridLetters.size(); ++k)
            index[static_cast<unsigned char>(GridLetters[k])] = static_cast<std::int8_t>(k);
        return index;
    }();
    const std::int8_t found = indexOfByte[static_cast<unsigned char>(letter)];
    if (found < 0) return std::nullopt;
    return found;
}

// A digit group as a "%d" scan reads it; none when it holds no number.
std::optional<std::int32_t> readGroup(std::string_view group)
{
    if (const std::optional<std::int32_t> digits = readShortDigits(group)) return digits;
    const IntegerRead read = readIntegerAt(group, 0);
    if (read.end == 0) return std::nullopt;
    return read.value;
}

// A negative remainder keeps its sign in front: "-05".
void appendThreeDigits(std::string& text, std::int64_t value)
{
    appendZeroPadded(text, value, 3);
}

} // namespace

Position parseGridRef(std::string_view text)
{
    if (text.size() < 8) return {};

    // A letter outside the table or a digit group without a number makes no reference: such
    // text is no position rather than a place somewhere off the grid.
    const auto k1 = letterIndex(text[0]);
    const auto easting = readGroup(text.substr(2, 3));
    const auto northing = readGroup(text.substr(5, 3));
    if (!k1 || !easting || !northing) return {};

    Position position{*easting, *northing};
    if (text[1] == ' ') {
        position.x += (*k1 % 5) * 1000 + irishOffsetX;
        position.y += (*k1 / 5) * 1000 + irishOffsetY;
        return position;
    }
    const auto k2 = letterIndex(text[1]);
    if (!k2) return {};
    position.x += ((*k1 % 5) * 5 + (*k2 % 5) - 10) * 1000;
    position.y += (*k2 / 5) * 1000 + (*k1 / 5) * 5000 - 5000;
    return position;
}

bool isIrishPosition(Position position)
{
    return position.x > irishOffsetX && position.x < irishOffsetX + 4000 &&
           position.y > irishOffsetY && position.y < irishOffsetY + 5000;
}

std::string formatGridRef(Position position)
{
    std::string text;
    appendGridRef(text, position);
    return text;
}

void appendGridRef(std::string& text, Position position)
{
    if (!position.isSet()) return;

    if (isIrishPosition(position)) {
        // Irish grid easting and northing, both inside the Irish grid's 400 km by 500 km.
        const std::int32_t e = position.x - irishOffsetX;
        const std::int32_t n = position.y - irishOffsetY;
        text += GridLetters[static_cast<std::size_t>((n / 1000) * 5 + e / 1000)];
        text += ' ';
        appendThreeDigits(text, e % 1000);
        appendThreeDigits(text, n % 1000);
        return;
    }

    // e and n count from the south-west corner of the 2500 km square that the first letters
    // divide into 500 km squares; 64 bits, since a map centre can be moved anywhere.
    const std::int64_t e = std::int64_t{position.x} + 10000;
    const std::int64_t n = std::int64_t{position.y} + 5000;
    if (e >= 0 && n >= 0 && e < 25000 && n < 25000) {
        text += GridLetters[static_cast<std::size_t>((n / 5000) * 5 + e / 5000)];
        text += GridLetters[static_cast<std::size_t>(((n / 1000) % 5) * 5 + (e / 1000) % 5)];
        // The digits count inside the square the letters name, so every position of the 25
        // first-letter squares, west and south of the false origin too, is written as a
        // reference that reads back to it.
        appendThreeDigits(text, e % 1000);
        appendThreeDigits(text, n % 1000);
        return;
    }
    // Beyond every square: two blanks and the signed remainders, a text that reads back as no
    // position.
    text += "  ";
    appendThreeDigits(text, position.x % 1000);
    appendThreeDigits(text, position.y % 1000);
}

std::int32_t eastingBound(std::string_view text, bool upper)
{
    const std::string_view fill = upper ? "999" : "000";
    std::string reference(text);
    reference += fill;
    reference += fill;
    return parseGridRef(std::string_view(reference).substr(0, 8)).x;
}

std::int32_t northingBound(std::string_view text, bool upper)
{
    const std::string_view fill = upper ? "999" : "000";
    const std::string_view letters = text.substr(0, 2);
    const std::string_view digits = text.size() > 2 ? text.substr(2, 3) : std::string_view{};
    std::string reference(letters);
    reference += fill;
    reference += digits;
    reference += fill;
    return parseGridRef(std::string_view(reference).substr(0, 8)).y;
}

bool beginsWithSquareLetters(std::string_view text)
{
    return text.size() >= 2 && letterIndex(text[0]) && (text[1] == ' ' || letterIndex(text[1]));
}

bool writtenAsReference(std::string_view text)
{
    constexpr std::string_view nationalSquares = "HJNOST";  // the 500 km squares the grid covers
    constexpr std::size_t length = 8;
    if (text.size() != length || !letterIndex(text[0])) return false;
    const bool irish = text[1] == ' ';
    if (!irish && (nationalSquares.find(text[0]) == std::string_view::npos || !letterIndex(text[1]))) return false;
    return std::all_of(text.begin() + 2, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> typedGridReference(std::string_view text)
{
    std::string reference(text);
    for (char& c : reference)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!writtenAsReference(reference)) return std::nullopt;
    return reference;
}
