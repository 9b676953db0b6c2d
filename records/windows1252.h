#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The directory's texts are Windows-1252 bytes. Bytes below 0x80 and from 0xA0 on are the
// characters of the same number (0xB0 the degree sign, 0xE1 á); 0x80 to 0x9F are the code page's
// own (0x80 the euro sign), and the five it leaves unassigned are the control characters of the
// same number.

char32_t windows1252Character(unsigned char byte);
// The byte of a character; none for a character beyond the code page.
std::optional<unsigned char> windows1252Byte(char32_t character);

// The same text in UTF-8, for a terminal or a file format that reads UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);
// The character of one byte in UTF-8, onto the end of a text being built.
void appendUtf8Of(std::string& text, unsigned char byte);

// A UTF-8 text (a file name, a command line's argument) as Windows-1252 bytes: a character the
// code page lacks becomes '?'; a byte that starts no UTF-8 character is kept as it stands, being
// most likely a name written in the code page itself.
std::string utf8ToWindows1252(std::string_view utf8);
// Whether the code page has every character of the UTF-8 text, so that none becomes '?'.
bool windows1252Holds(std::string_view utf8);
