#pragma once

#include <cstdint>

// The byteCount (1 to 8) bytes at `at` as one number, the first byte the lowest, as the data
// files store their numbers.
inline std::uint64_t littleEndianAt(const unsigned char* at, int byteCount)
{
    std::uint64_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}
