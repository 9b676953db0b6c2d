#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// Puts the text from `from` on one line: each line feed or carriage return becomes a space.
inline void keepToOneLine(std::string& text, std::size_t from = 0)
{
    std::replace_if(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                    [](char byte) { return byte == '\n' || byte == '\r'; }, ' ');
}
