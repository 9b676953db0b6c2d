#pragma once

#include <cstdint>

// Numbers in the data files are stored the first byte lowest, in 1 to 8 bytes.

// The byteCount bytes at `at` as one number.
inline std::uint64_t littleEndianAt(const unsigned char* at, int byteCount)
{
    std::uint64_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

// The lowest byteCount bytes of the value written at `at`.
inline void putLittleEndianAt(char* at, std::uint64_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i) at[i] = static_cast<char>(value >> (8 * i) & 0xFFu);
}
