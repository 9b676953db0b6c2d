#pragma once

#include <cstdint>

// The draw behind every TowerId and table index: the classic linear congruential generator
// (32-bit state from 1, state = state * 214013 + 2531011, result (state >> 16) & 0x7FFF), redrawn
// while 0. It is never seeded, so the same source always compiles to the same bytes on every
// platform. Each database draws from its own state, which starts at 1.
class IndexDraw {
public:
    // 1 to 32767
    std::int32_t drawIndex()
    {
        // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
        std::int32_t result = 0;
        while (result == 0) {
            state_ = state_ * 214013u + 2531011u;
            result = static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
        }
        return result;
    }

private:
    std::uint32_t state_ = 1;
};
