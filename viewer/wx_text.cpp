#include "viewer/wx_text.h"

#include "records/windows1252.h"

namespace {

constexpr char32_t nulShownAs = 0xFFFD;

}  // namespace

wxString toWx(std::string_view bytes)
{
    wxString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += wxUniChar(static_cast<wxUint32>(value == 0 ? nulShownAs : windows1252Character(value)));
    }
    return text;
}

std::string fromWx(const wxString& text)
{
    std::string bytes;
    bytes.reserve(text.length());
    for (const wxUniChar character : text) {
        const auto byte = windows1252Byte(static_cast<char32_t>(character.GetValue()));
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

wxString charactersWithoutByte(const wxString& text)
{
    wxString without;
    for (const wxUniChar character : text)
        if (!windows1252Byte(static_cast<char32_t>(character.GetValue()))) without += character;
    return without;
}

std::filesystem::path filePath(const wxString& name)
{
    return std::filesystem::path(static_cast<const std::filesystem::path::value_type*>(name.fn_str()));
}
