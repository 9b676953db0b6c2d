#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Day numbers count days of the Gregorian calendar with 1 January 1601 as day 1; 0 is no date.
// They are the values of the user's Date fields.

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
void appendDate(std::string& text, std::int32_t n);

// "7/9/2002", "7-9-02", "7.9", "14" (the separator is the first of / - : .); the missing parts
// come from today. 0 for the empty text and for a date that names no real day.
std::int32_t readDate(std::string_view text, const CalendarDate& today);
std::int32_t readDate(std::string_view text);
// What a date box takes: the empty text, which clears a date, or a date written as the day that
// readDate reads: each part a whole number and shown by that day as typed, so that a day beyond
// its month, a month beyond 12, a year before 1601 (of three digits or more) or a letter after a
// number is refused rather than read as another day. A year of one or two digits is the one of
// the hundred years up to today's that ends in them.
bool namesADayOrNone(std::string_view text, const CalendarDate& today);
bool namesADayOrNone(std::string_view text);
// The day that readDate reads from a text the date box refuses for showing another day than typed,
// for the refusal to name: 7/1/2003 for "7/13/2002". 0 for any other text: one the box takes, one
// with a part that is no whole number ("7/9/2002x"), one read as no day or as a day before 1601.
std::int32_t dayReadInstead(std::string_view text, const CalendarDate& today);
