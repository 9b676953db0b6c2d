#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Finding one byte value among many, several bytes at a time: the texts searched here are
// short, and a call per search or a test per byte would cost more than the search.

// The eight bytes at `at` as one word, the first byte lowest.
inline std::uint64_t wordAt(const char* at)
{
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    return word;
}

// The high bit of each byte of the word that equals `wanted`, every other bit clear.
inline std::uint64_t matchingBytes(std::uint64_t word, char wanted)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = word ^ (0x0101010101010101ull * static_cast<unsigned char>(wanted));
    // Exact per byte, unlike the borrow of a subtraction: a byte of x is 0 just where the high
    // bit stays clear here.
    return ~(((x & low7) + low7) | x | low7);
}

// Bit k set where byte k of the 64 bytes at `at` equals `wanted`.
inline std::uint64_t matchMask64(const char* at, char wanted)
{
    std::uint64_t mask = 0;
    for (int word = 0; word < 8; ++word) {
        // The high bits gathered into the top byte, byte 0's lowest.
        const std::uint64_t highBits = matchingBytes(wordAt(at + 8 * word), wanted) >> 7;
        mask |= (highBits * 0x0102040810204080ull >> 56) << (8 * word);
    }
    return mask;
}

// Gives the place of each byte of `bytes` that equals `wanted`, front to back, to found, which
// answers whether it wants more.
template <class Found>
void forEachByteOf(std::string_view bytes, char wanted, Found found)
{
    constexpr std::size_t block = 64;
    std::size_t start = 0;
    for (; start < bytes.size(); start += block) {
        std::uint64_t mask;
        if (bytes.size() - start >= block) {
            mask = matchMask64(bytes.data() + start, wanted);
        } else {
            // The last bytes are searched in a copy, never past the end of the caller's.
            char rest[block] = {};
            std::memcpy(rest, bytes.data() + start, bytes.size() - start);
            mask = matchMask64(rest, wanted) & ((std::uint64_t{1} << (bytes.size() - start)) - 1);
        }
        for (; mask != 0; mask &= mask - 1)
            if (!found(start + static_cast<std::size_t>(std::countr_zero(mask)))) return;
    }
}

// The place of the first byte of a short text that equals `wanted`, or the text's size.
inline std::size_t firstByteOf(std::string_view text, char wanted)
{
    std::size_t at = 0;
    for (; text.size() - at >= 8; at += 8)
        if (const std::uint64_t found = matchingBytes(wordAt(text.data() + at), wanted))
            return at + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    while (at < text.size() && text[at] != wanted) ++at;
    return at;
}
