#pragma once

#include <cstdint>
#include <string>

#include "geo/position.h"

// A tower's key in its database and in the user's own field values.
using TowerId = std::int32_t;
inline constexpr TowerId maxTowerId = 32767;

// One church bell tower. Every field at 0, false or empty text means "not given".
struct Tower {
    bool approxWeight = false;
    std::int32_t bells = 0;
    std::int32_t county = 0;          // index into the database's counties, 0 for none
    bool groundFloor = false;
    Position position;                // (0, 0) for none
    std::int32_t webPage = 0;         // index into the database's webPages, 0 for none
    TowerId id = 0;
    std::int32_t practiceNight = 0;   // bits 0-2 day (1 Sunday .. 7 Saturday), 8 '-' mark, 16 '+' mark
    std::int32_t note = 0;            // 3 * (letter - 64) + accidental (0 flat, 1 natural, 2 sharp)
    std::string place;                // Windows-1252 bytes as in the source
    std::string postcode;
    std::int32_t dedication = 0;      // index into the database's dedications, 0 for none
    std::int32_t practiceTime = 0;    // minutes after midnight
    bool unringable = false;
    std::int32_t weight = 0;          // tenor weight in pounds (112 lb to the cwt, 28 to the quarter)

    friend bool operator==(const Tower&, const Tower&) = default;
};
