#include "query/day_numbers.h"

#include <ctime>
#include <limits>
#include <optional>

#include "records/number_text.h"
#include "records/value_readers.h"

// The calendar's arithmetic truncates toward zero and takes remainders with the dividend's sign,
// as C++'s / and % do. Sums run in 64 bits, because a typed month or year may be any 32-bit
// number.

CalendarDate today()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

bool isLeapYear(std::int64_t year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

std::int32_t monthLength(std::int64_t month, std::int64_t year)
{
    if (month == 2) return isLeapYear(year) ? 29 : 28;
    return static_cast<std::int32_t>(30 + (month + month / 8) % 2);
}

namespace {

// Days of months 1 to month - 1 of the year. Beyond month 16 the lengths repeat every 16 months
// (eight of 31 days, eight of 30: 488 days), so a huge month number is summed without a loop.
std::int64_t daysBeforeMonth(std::int64_t month, std::int64_t year)
{
    std::int64_t days = 0;
    std::int64_t m = 1;
    for (; m < month && m <= 16; ++m) days += monthLength(m, year);
    if (m < month) {
        std::int64_t periods = (month - m) / 16;
        days += periods * 488;
        m += periods * 16;
        for (; m < month; ++m) days += monthLength(m, year);
    }
    return days;
}

// Whether the day shows each part of the text as typed; none when a part is no whole number.
std::optional<bool> showsEachPartAsTyped(std::string_view text, std::int32_t dayNo)
{
    const CalendarDate kept = dateOfDayNumber(dayNo);
    const std::int32_t shown[] = {kept.day, kept.month, kept.year};
    // The parts as readDate cuts them: at the first separator, then at the next of the same kind.
    std::string_view parts[3] = {text};
    std::size_t partCount = 1;
    if (const std::size_t separatorAt = text.find_first_of("/-:."); separatorAt != std::string_view::npos) {
        const std::string_view rest = text.substr(separatorAt + 1);
        const std::size_t secondAt = rest.find(text[separatorAt]);
        parts[0] = text.substr(0, separatorAt);
        parts[1] = rest.substr(0, secondAt);
        partCount = 2;
        if (secondAt != std::string_view::npos) parts[partCount++] = rest.substr(secondAt + 1);
    }
    bool asTyped = true;
    for (std::size_t part = 0; part < partCount; ++part) {
        const std::optional<std::int32_t> typed = readWholeInteger(parts[part]);
        if (!typed) return std::nullopt;
        const bool shortYear = part == 2 && *typed >= 0 && *typed < 100;
        asTyped = asTyped && (shortYear ? shown[part] % 100 : shown[part]) == *typed;
    }
    return asTyped;
}

}  // namespace

std::int32_t dayNumber(std::int32_t day, std::int32_t month, std::int32_t year,
                       std::int32_t currentYear)
{
    std::int64_t fullYear = year;
    if (fullYear < 1600) {
        std::int64_t current = currentYear;
        fullYear = current - current % 100 + fullYear;
        if (year % 100 > current % 100) fullYear -= 100;
    }
    if (day == 0 || day > monthLength(month, fullYear)) return 0;
    std::int64_t c = fullYear - 1601;
    std::int64_t n = day + daysBeforeMonth(month, fullYear) + 365 * c + c / 4 - c / 100 + c / 400;
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(n);
}

std::int32_t dayNumber(std::int32_t day, std::int32_t month, std::int32_t year)
{
    return dayNumber(day, month, year, today().year);
}

CalendarDate dateOfDayNumber(std::int32_t dayNo)
{
    std::int32_t n = dayNo;
    std::int32_t year = 1600;
    std::int32_t d = 366;
    // Whole 400-year periods, centuries, 4-year periods and years, each step stopping as soon as
    // nothing is left; d then is the day within the year reached.
    year += 400 * (n / 146097);
    n %= 146097;
    if (n > 0) {
        d = 365;
        year += 100 * (n / 36524);
        n %= 36524;
        if (n > 0) {
            d = 366;
            year += 4 * (n / 1461);
            n %= 1461;
            if (n > 0) {
                d = 365;
                year += n / 365;
                n %= 365;
                if (n > 0) {
                    year += 1;
                    d = n;
                }
            }
        }
    }
    std::int32_t month = 1;
    while (d > monthLength(month, year)) {
        d -= monthLength(month, year);
        ++month;
    }
    return {d, month, year};
}

void appendDate(std::string& text, std::int32_t n)
{
    if (n == 0) return;
    const CalendarDate date = dateOfDayNumber(n);
    appendDecimal(text, date.day);
    text += '/';
    appendDecimal(text, date.month);
    text += '/';
    appendDecimal(text, date.year);
}

std::string formatDate(std::int32_t n)
{
    std::string text;
    appendDate(text, n);
    return text;
}

std::int32_t readDate(std::string_view text, const CalendarDate& today)
{
    if (text.empty()) return 0;
    std::int32_t day = today.day;
    std::int32_t month = today.month;
    std::int32_t year = today.year;

    std::size_t separatorAt = text.find_first_of("/-:.");
    if (separatorAt == std::string_view::npos) {
        day = readInteger(text);
    } else {
        day = readInteger(text.substr(0, separatorAt));
        char separator = text[separatorAt];
        std::string_view rest = text.substr(separatorAt + 1, 10);
        if (!rest.empty()) {
            std::size_t secondAt = rest.find(separator);
            if (secondAt == std::string_view::npos) {
                month = readInteger(rest);
            } else {
                month = readInteger(rest.substr(0, secondAt));
                year = readInteger(rest.substr(secondAt + 1));
            }
        }
    }
    return dayNumber(day, month, year, today.year);
}

std::int32_t readDate(std::string_view text)
{
    if (text.empty()) return 0;
    return readDate(text, today());
}

bool namesADayOrNone(std::string_view text, const CalendarDate& today)
{
    if (text.empty()) return true;
    const std::int32_t dayNo = readDate(text, today);
    return dayNo != 0 && showsEachPartAsTyped(text, dayNo) == true;
}

bool namesADayOrNone(std::string_view text) { return namesADayOrNone(text, today()); }

std::int32_t dayReadInstead(std::string_view text, const CalendarDate& today)
{
    const std::int32_t dayNo = readDate(text, today);
    return dayNo > 0 && showsEachPartAsTyped(text, dayNo) == false ? dayNo : 0;
}
