#pragma once

#include <string>
#include <string_view>

// The directory's texts are Windows-1252 bytes. This is the same text in UTF-8, for a terminal
// that shows UTF-8: bytes below 0x80 stay as they are, the others become the characters the code
// page gives them (0xB0 the degree sign, 0xE1 á, 0x80 the euro sign). The five bytes the code page
// leaves unassigned become the control characters of the same number.
std::string windows1252ToUtf8(std::string_view bytes);
