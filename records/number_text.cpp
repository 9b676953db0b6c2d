#include "records/number_text.h"

#include <algorithm>
#include <limits>

IntegerRead readIntegerAt(std::string_view text, std::size_t from)
{
    std::size_t at = from;
    while (at < text.size() && isScanSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !isDigit(text[at])) return {};
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && isDigit(text[at]); ++at)
        if (magnitude < limit) magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) magnitude = limit;
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
    return {static_cast<std::int32_t>(value), at};
}

std::int32_t clampToInt32(double value)
{
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
