#include "document/map_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

std::string radiusText(float radius)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(radius));
    return text;
}

std::optional<float> readRadiusText(std::string_view text)
{
    // Decimal only: strtod would also take hexadecimal, which no one types as a radius.
    if (text.find_first_of("xX") != std::string_view::npos) return std::nullopt;
    const std::string copy(text);
    const char* start = copy.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start) return std::nullopt;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return std::nullopt;
    if (!(value >= 0 && value <= largestDialogRadius)) return std::nullopt;
    return static_cast<float>(value);
}

std::int32_t wholeMetres(double metres)
{
    if (std::isnan(metres)) return 0;
    constexpr double largest = std::numeric_limits<std::int32_t>::max();
    constexpr double smallest = std::numeric_limits<std::int32_t>::min();
    if (metres >= largest) return std::numeric_limits<std::int32_t>::max();
    if (metres <= smallest) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(metres);
}
