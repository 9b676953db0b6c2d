#pragma once

#include <cstdint>
#include <string_view>

#include "records/position.h"

// A tower's key in its database and in the user's own field values.
using TowerId = std::int32_t;
inline constexpr TowerId maxTowerId = 32767;

// --- How a tower's numbers encode what they stand for ---------------------------------------------

// The tenor weight is kept in pounds: a hundredweight (cwt) is 112 lb, a quarter (qr) 28 lb.
inline constexpr std::int32_t poundsPerHundredweight = 112;
inline constexpr std::int32_t poundsPerQuarter = 28;
inline constexpr std::int32_t quartersPerHundredweight = 4;

// Practice night: bits 0-2 the day (1 Sunday .. 7 Saturday, 0 none), then a mark for a '-' and one
// for a '+' written just before the day in the source.
inline constexpr std::int32_t practiceDayBits = 7;
inline constexpr std::int32_t practiceMinusMark = 8;
inline constexpr std::int32_t practicePlusMark = 16;

// The squared distance, in (100 m)^2, of a tower without a position from any point.
inline constexpr double noPositionSquaredDistance = 1e20;

// A range bound that sets no upper limit; an empty or zero upper bound is read as this.
inline constexpr std::int32_t noUpperBound = 2147483647;

// The slots of the user's own fields that every tower can have a value in.
inline constexpr int userFieldCount = 10;

// One church bell tower. Every field at 0, false or empty text means "not given". The texts are
// views of bytes its directory holds (TextArena).
struct Tower {
    bool approxWeight = false;
    std::int32_t bells = 0;
    std::int32_t county = 0;          // index into the database's counties, 0 for none
    bool groundFloor = false;
    Position position;                // (0, 0) for none
    std::int32_t webPage = 0;         // index into the database's webPages, 0 for none
    TowerId id = 0;
    std::int32_t practiceNight = 0;   // day and marks, as above
    std::int32_t note = 0;            // 3 * (letter - 64) + accidental (0 flat, 1 natural, 2 sharp)
    std::string_view place;           // Windows-1252 bytes as in the source, held by the directory
    std::string_view postcode;
    std::int32_t dedication = 0;      // index into the database's dedications, 0 for none
    std::int32_t practiceTime = 0;    // minutes after midnight
    bool unringable = false;
    std::int32_t weight = 0;          // tenor weight in pounds

    friend bool operator==(const Tower&, const Tower&) = default;
};

// From the point (x, y), which may lie between 100 m units, in (100 m)^2; exact for the whole
// units of a Position. noPositionSquaredDistance for a tower without a position.
inline double squaredDistance(double x, double y, const Tower& tower)
{
    if (!tower.position.isSet()) return noPositionSquaredDistance;
    const double dx = x - tower.position.x;
    const double dy = y - tower.position.y;
    return dx * dx + dy * dy;
}

inline double squaredDistance(Position point, const Tower& tower)
{
    return squaredDistance(static_cast<double>(point.x), static_cast<double>(point.y), tower);
}
