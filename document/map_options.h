#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "geo/location_text.h"

// What the Options dialog shows and gives back. The radius travels in single precision, as the
// dialog holds it.
struct MapOptions {
    ReferenceSystem referenceSystem = ReferenceSystem::OS;
    std::string centreText;
    float radius = 0;
    std::int32_t webMap = 0;

    friend bool operator==(const MapOptions&, const MapOptions&) = default;
};

inline constexpr std::string_view defaultCentreText = "TQ102665";
inline constexpr double defaultRadius = 50000;
inline constexpr std::int32_t webMapStreetmap = 0;
inline constexpr std::int32_t webMapMultimap = 1;
inline constexpr std::int32_t webMapOpenStreetMap = 2;
// The largest radius the Options dialog takes, and the farthest Zoom Out goes: a square of
// 2000 km holds the whole of these islands.
inline constexpr float largestDialogRadius = 1000000;

// The radius as the Options dialog holds it, in single precision. One beyond that range, which
// only a document made elsewhere holds, is held at the largest rather than made infinite, so
// that a document saved after it can be opened again.
float dialogRadius(double radius);

// The radius box's text: the shortest that reads back as the single-precision radius kept, with
// no exponent ("50000", "1562.5", "1500.7", "1600000" beyond the largest radius the box takes).
std::string radiusText(double radius);
// The radius box read back: none unless the whole text (blanks around it allowed) is a number
// from 0 to 1000000, in which case the dialog must refuse OK.
std::optional<float> readRadiusText(std::string_view text);
// The radius box's text for the radius a read text is kept as, when that is another number than
// the one typed: single precision holds about seven digits, so "123456.789" is kept as
// "123456.79". None when the text is kept as typed, or is not read at all.
std::optional<std::string> radiusKeptOtherwise(std::string_view text);

// A radius in metres as the database keeps it: truncated toward zero, and held inside the 32-bit
// range so that repeated Zoom Out or a strange document file cannot overflow it.
std::int32_t wholeMetres(double metres);
