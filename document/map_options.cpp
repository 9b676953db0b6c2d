#include "document/map_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "records/number_text.h"
#include "records/value_readers.h"

float dialogRadius(double radius)
{
    return static_cast<float>(std::min(radius, static_cast<double>(std::numeric_limits<float>::max())));
}

std::string radiusText(double radius)
{
    std::array<char, 64> text{};  // the largest float, written out whole, takes 39 digits
    const auto end = std::to_chars(text.data(), text.data() + text.size(), dialogRadius(radius),
                                   std::chars_format::fixed).ptr;
    return std::string(text.data(), end);
}

namespace {

// A decimal number, blanks after it allowed.
std::optional<double> readDecimal(std::string_view text)
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
    return value;
}

}  // namespace

std::optional<float> readRadiusText(std::string_view text)
{
    const std::optional<double> value = readDecimal(text);
    if (!value || !(*value >= 0 && *value <= largestDialogRadius)) return std::nullopt;
    return static_cast<float>(*value) + 0.0f;  // -0 becomes 0
}

std::optional<std::string> radiusKeptOtherwise(std::string_view text)
{
    const std::optional<float> kept = readRadiusText(text);
    if (!kept) return std::nullopt;
    std::string keptText = radiusText(*kept);
    if (readDecimal(keptText) == readDecimal(text)) return std::nullopt;
    return keptText;
}

std::int32_t wholeMetres(double metres) { return clampToInt32(metres); }
