#pragma once

#include <initializer_list>
#include <string>

// Bytes written as numbers, for golden-byte tests: bytesOf({0x2B, 0x2C, 0x01}).
inline std::string bytesOf(std::initializer_list<unsigned> values)
{
    std::string result;
    for (unsigned value : values) result += static_cast<char>(value);
    return result;
}
