#include "records/draw_index.h"

std::int32_t IndexDraw::drawIndex()
{
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    std::int32_t result = 0;
    while (result == 0) {
        state_ = state_ * 214013u + 2531011u;
        result = static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
    }
    return result;
}
