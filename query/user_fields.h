#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "records/tower.h"

// The user's own fields: ten slots, each with a name, a type and at most one value per tower,
// keyed by TowerId so the values stay with their towers across loads of the directory.

// Numbered as the entries of the type lists of the User-defined Fields dialog. A slot's type is
// kept as read, so it may hold a number outside these three; such a field shows no values.
enum class FieldType : std::int32_t { Date = 0, Number = 1, String = 2 };

inline constexpr std::array<std::string_view, 3> fieldTypeNames = {"Date", "Number", "String"};

struct UserField {
    std::string name;                       // the empty name leaves the slot free
    FieldType type = FieldType::Date;
    std::map<TowerId, std::int32_t> numbers;  // Date (day numbers) and Number values
    std::map<TowerId, std::string> texts;     // String values

    bool isNamed() const { return !name.empty(); }
    // Date, Number and any unknown type keep their values in numbers; only String uses texts.
    bool usesTexts() const { return type == FieldType::String; }
};

inline constexpr int userFieldCount = 10;

// The one table of the whole viewer, as referenceSystem is: not owned by any document.
extern std::array<UserField, userFieldCount> userFields;

// False for a slot number outside 0 to 9; every operation below treats such a slot as an
// unnamed field without values.
bool isUserFieldSlot(int slot);

// The slots whose name is not empty, in slot order: the user fields that field lists,
// descriptions, exports and the document file show.
std::vector<int> namedUserFieldSlots();

// The text of the tower's value in the slot by its current type ("7/9/2002", "-12", the text),
// empty when it has none.
std::string userFieldValueText(int slot, TowerId id);

// The tower's value on the map the slot's current type uses; nullptr when it has none there.
const std::int32_t* userFieldNumber(int slot, TowerId id);
const std::string* userFieldText(int slot, TowerId id);

// Set the tower's value on the map of the slot's current type.
void setUserFieldNumber(int slot, TowerId id, std::int32_t value);
void setUserFieldText(int slot, TowerId id, std::string value);

// Empty name, both maps emptied; the type stays.
void clearUserField(int slot);
// Every slot as at start: no name, type Date, no values.
void resetUserFields();

// --- Dates -----------------------------------------------------------------------------------
// Day numbers count days of the Gregorian calendar with 1 January 1601 as day 1; 0 is no date.

struct CalendarDate {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Today in local time, from the system clock.
CalendarDate today();

bool isLeapYear(std::int64_t year);
// February has 28 or 29 days; every other month number m, also one beyond 12 or below 1, has
// 30 + ((m + m / 8) mod 2).
std::int32_t monthLength(std::int64_t month, std::int64_t year);

// The day number of a date. A year below 1600 is a year of the hundred years up to currentYear
// (2 is 2002 and 3 is 1903 in 2002). A day of 0 or beyond its month gives 0; a month beyond 12
// runs on into the following years. A date whose number does not fit 32 bits gives 0.
std::int32_t dayNumber(std::int32_t day, std::int32_t month, std::int32_t year,
                       std::int32_t currentYear);
// As above, with the current year from the clock.
std::int32_t dayNumber(std::int32_t day, std::int32_t month, std::int32_t year);

// The date of a day number (1 is 1/1/1601); 0 and below land on the last day of a year.
CalendarDate dateOfDayNumber(std::int32_t n);

// "d/m/yyyy" without leading zeros; the empty text for 0.
std::string formatDate(std::int32_t n);

// "7/9/2002", "7-9-02", "7.9", "14" (the separator is the first of / - : .); the missing parts
// come from today. 0 for the empty text and for a date that names no real day.
std::int32_t readDate(std::string_view text, const CalendarDate& today);
std::int32_t readDate(std::string_view text);

// Sets the tower's value from what the user typed, read by the slot's current type: a date, an
// integer or the text itself. A slot of an unknown type keeps its values.
void setUserFieldFromText(int slot, TowerId id, std::string_view text);
