#include "viewer/wx_text.h"

#include <array>

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1, whose bytes are their code points.
constexpr std::array<char32_t, 32> highControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t nulShownAs = 0xFFFD;

char32_t characterOf(unsigned char byte)
{
    if (byte == 0) return nulShownAs;
    if (byte >= 0x80 && byte < 0xA0) return highControlRange[byte - 0x80];
    return byte;
}

char byteOf(wxUniChar character)
{
    const auto code = static_cast<char32_t>(character.GetValue());
    if (code < 0x80 || (code >= 0xA0 && code < 0x100)) return static_cast<char>(code);
    for (std::size_t i = 0; i < highControlRange.size(); ++i)
        if (highControlRange[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

wxString toWx(std::string_view bytes)
{
    wxString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) text += wxUniChar(static_cast<wxUint32>(characterOf(static_cast<unsigned char>(byte))));
    return text;
}

std::string fromWx(const wxString& text)
{
    std::string bytes;
    bytes.reserve(text.length());
    for (const wxUniChar character : text) bytes += byteOf(character);
    return bytes;
}
