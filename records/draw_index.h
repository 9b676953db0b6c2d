#pragma once

#include <cstdint>

// The draw behind every TowerId and table index: the classic linear congruential generator
// (32-bit state from 1, state = state * 214013 + 2531011, result (state >> 16) & 0x7FFF), redrawn
// while 0. It is never seeded, so the same source always compiles to the same bytes on every
// platform. Each database draws from its own state, which starts at 1.
class IndexDraw {
public:
    std::int32_t drawIndex();  // 1 to 32767

private:
    std::uint32_t state_ = 1;
};
