#include "records/windows1252.h"

#include <array>
#include <utility>

namespace {

// The characters of bytes 0x80 to 0x9F, where the code page differs from Latin-1.
constexpr std::array<char32_t, 32> from0x80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& text, char32_t character)
{
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | character >> 6);
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | character >> 12);
        text += static_cast<char>(0x80 | (character >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// The character of the UTF-8 sequence at the front of `text` and its length in bytes; none when
// the bytes there are no whole, shortest and valid sequence.
std::optional<std::pair<char32_t, std::size_t>> utf8CharacterAt(std::string_view text)
{
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t character = 0;
    // The least the first continuation byte may be, and the most, which rule out overlong
    // forms, surrogates and characters beyond U+10FFFF.
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        character = lead & 0x0F;
        if (lead == 0xE0) lowest = 0xA0;
        if (lead == 0xED) highest = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        character = lead & 0x07;
        if (lead == 0xF0) lowest = 0x90;
        if (lead == 0xF4) highest = 0x8F;
    } else {
        return std::nullopt;
    }
    if (text.size() < length || byte(1) < lowest || byte(1) > highest) return std::nullopt;
    for (std::size_t at = 1; at < length; ++at) {
        if ((byte(at) & 0xC0) != 0x80) return std::nullopt;
        character = character << 6 | (byte(at) & 0x3F);
    }
    return std::pair(character, length);
}

}  // namespace

char32_t windows1252Character(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? from0x80[byte - 0x80] : byte;
}

std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character < 0x100)) return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < from0x80.size(); ++i)
        if (from0x80[i] == character) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8Of(std::string& text, unsigned char byte)
{
    if (byte < 0x80)
        text += static_cast<char>(byte);
    else
        appendUtf8(text, windows1252Character(byte));
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) appendUtf8Of(text, static_cast<unsigned char>(c));
    return text;
}

namespace {

// Gives each character of the UTF-8 text in turn as its Windows-1252 byte, none for a character
// the code page lacks; a byte that starts no UTF-8 character is given as it stands.
template <typename Take>
void forEachCodePageByte(std::string_view utf8, Take take)
{
    while (!utf8.empty()) {
        const auto decoded = static_cast<unsigned char>(utf8.front()) < 0x80 ? std::nullopt : utf8CharacterAt(utf8);
        if (!decoded) {
            take(static_cast<unsigned char>(utf8.front()));
            utf8.remove_prefix(1);
            continue;
        }
        take(windows1252Byte(decoded->first));
        utf8.remove_prefix(decoded->second);
    }
}

}  // namespace

std::string utf8ToWindows1252(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    forEachCodePageByte(utf8, [&bytes](std::optional<unsigned char> byte) {
        bytes += byte ? static_cast<char>(*byte) : '?';
    });
    return bytes;
}

bool windows1252Holds(std::string_view utf8)
{
    bool holds = true;
    forEachCodePageByte(utf8, [&holds](std::optional<unsigned char> byte) { holds = holds && byte.has_value(); });
    return holds;
}
