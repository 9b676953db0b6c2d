#include <gtest/gtest.h>

#include "query/user_fields.h"
#include "query_fixture.h"

namespace {

// Day numbers from an independent calendar: Python's date.toordinal() - 584388 (the ordinal of
// 31 December 1600).
struct DayCase {
    std::int32_t day, month, year;
    std::int32_t number;
    const char* text;
};

const std::vector<DayCase> knownDays = {
    {1, 1, 1601, 1, "1/1/1601"},
    {31, 12, 1601, 365, "31/12/1601"},
    {29, 2, 1604, 1155, "29/2/1604"},
    {31, 12, 1604, 1461, "31/12/1604"},
    {31, 12, 1700, 36524, "31/12/1700"},
    {1, 1, 1701, 36525, "1/1/1701"},
    {28, 2, 1900, 109266, "28/2/1900"},
    {1, 3, 1900, 109267, "1/3/1900"},
    {1, 1, 1999, 145367, "1/1/1999"},
    {29, 2, 2000, 145791, "29/2/2000"},
    {31, 12, 2000, 146097, "31/12/2000"},
    {1, 1, 2001, 146098, "1/1/2001"},
    {7, 9, 2002, 146712, "7/9/2002"},
    {1, 3, 2004, 147253, "1/3/2004"},
    {29, 2, 2024, 154557, "29/2/2024"},
    {28, 2, 2100, 182315, "28/2/2100"},
    {1, 3, 2100, 182316, "1/3/2100"},
    {31, 12, 9999, 3067671, "31/12/9999"},
};

TEST(Dates, DayNumbersMatchTheGregorianCalendar)
{
    for (const DayCase& c : knownDays) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dayNumber(c.day, c.month, c.year, 2002), c.number);
        EXPECT_EQ(formatDate(c.number), c.text);
    }
    EXPECT_EQ(formatDate(0), "");
    EXPECT_EQ(formatDate(-1), "31/12/1600");
}

TEST(Dates, EveryDayNumberRoundTripsThroughItsDate)
{
    // Four centuries and then some, so every leap rule and period boundary is crossed.
    CalendarDate previous = dateOfDayNumber(1);
    for (std::int32_t n = 2; n <= 146097 * 2 + 800; ++n) {
        CalendarDate date = dateOfDayNumber(n);
        ASSERT_EQ(dayNumber(date.day, date.month, date.year, 2002), n) << formatDate(n);
        bool nextDay = date.day == previous.day + 1 && date.month == previous.month && date.year == previous.year;
        bool nextMonth = date.day == 1 && ((date.month == previous.month + 1 && date.year == previous.year) ||
                                           (date.month == 1 && previous.month == 12 && date.year == previous.year + 1));
        ASSERT_TRUE(nextDay || (nextMonth && previous.day == monthLength(previous.month, previous.year)))
            << formatDate(n);
        previous = date;
    }
}

TEST(Dates, DaysBeyondTheirMonthAndMonthsBeyondTheYear)
{
    EXPECT_EQ(dayNumber(29, 2, 1900, 2002), 0);
    EXPECT_EQ(dayNumber(31, 2, 2002, 2002), 0);
    EXPECT_EQ(dayNumber(31, 4, 2002, 2002), 0);
    EXPECT_EQ(dayNumber(0, 1, 2002, 2002), 0);
    EXPECT_EQ(dayNumber(1, 13, 2002, 2002), 146828);  // 1 January 2003
    EXPECT_EQ(dayNumber(31, 13, 2002, 2002), 0);       // month 13 is 30 days long
    // Month lengths repeat every 16 months beyond the year; a huge month neither hangs nor
    // overflows.
    EXPECT_EQ(dayNumber(1, 29, 2002, 2002) - dayNumber(1, 13, 2002, 2002), 488);
    EXPECT_EQ(dayNumber(1, 2000000000, 2002, 2002), 0);
    EXPECT_EQ(dayNumber(1, 1, 2147483647, 2002), 0);
    EXPECT_EQ(dayNumber(31, 12, 1600, 2002), 1);      // a full 1600 stays 1600
    EXPECT_EQ(dayNumber(1, 1, 1600, 2002), -364);
}

TEST(Dates, ShortYearsFallInTheLastHundredYears)
{
    EXPECT_EQ(dayNumber(1, 1, 2, 2002), 146463);   // 2002
    EXPECT_EQ(dayNumber(1, 1, 3, 2002), 110303);  // 1903
    EXPECT_EQ(dayNumber(1, 1, 99, 2002), 145367); // 1999
    EXPECT_EQ(dayNumber(1, 1, 0, 2000), 145732);   // 2000
    EXPECT_EQ(dayNumber(1, 1, 1, 2000), 109573);   // 1901
}

TEST(Dates, TypedDatesTakeMissingPartsFromToday)
{
    const CalendarDate today{14, 9, 2002};
    struct Case {
        const char* text;
        std::int32_t dayNo;
        bool boxTakesIt;  // only a text whose day shows it as typed
    };
    const Case cases[] = {
        {"7/9/2002", 146712, true}, {"7-9-2002", 146712, true}, {"7:9:2002", 146712, true},
        {"7.9.02", 146712, true}, {"25/12", 146821, true}, {"14", 146719, true}, {"7/9/1601", 250, true},
        {"31/2/2002", 0, false}, {"0/1/2002", 0, false}, {"", 0, true},
        {"1/13/2002", 146828, false}, {"5/0/2002", 146467, false}, {"14abc", 146719, false},
        {"29/2/2000", 145791, true}, {"29/2/1900", 0, false}, {"29/2/00", 145791, true},
        {" 7 / 9 / 2002", 146712, true},   // each part read as an integer, blanks and all
        {"7/9-2002", 146712, false},  // a different second separator leaves the year at this year
        // Only 10 characters follow the separator: the year 1999 is cut off, leaving year 0.
        {"7/        9/1999", 145982, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readDate(c.text, today), c.dayNo);
        EXPECT_EQ(namesADayOrNone(c.text, today), c.boxTakesIt);
    }
}

TEST_F(QueryTest, ValuesFollowTheFieldsCurrentType)
{
    fields[0] = {"Visited", FieldType::Date, {}, {}};
    fields.setNumber(0, 5, 146712);
    fields.setNumber(0, 6, 0);
    EXPECT_EQ(fields.valueText(0, 5), "7/9/2002");
    EXPECT_EQ(fields.valueText(0, 6), "");   // the value is there, but 0 is no date
    EXPECT_EQ(fields.valueText(0, 7), "");

    fields[1] = {"Count", FieldType::Number, {}, {}};
    fields.setNumber(1, 5, -12);
    fields.setNumber(1, 6, 1);
    EXPECT_EQ(fields.valueText(1, 5), "-12");
    fields[1].type = FieldType::Date;
    EXPECT_EQ(fields.valueText(1, 6), "1/1/1601");

    fields[2] = {"Remark", FieldType::String, {}, {}};
    fields.setText(2, 5, "two\r\nlines");
    fields[2].type = FieldType::Number;
    EXPECT_EQ(fields.valueText(2, 5), "");
    EXPECT_EQ(fields.number(2, 5), nullptr);
    fields[2].type = FieldType::String;
    EXPECT_EQ(fields.valueText(2, 5), "two\r\nlines");

    fields[3] = {"Odd", static_cast<FieldType>(7), {{5, 3}}, {}};
    EXPECT_EQ(fields.valueText(3, 5), "");
    EXPECT_EQ(fields.valueText(10, 5), "");  // no such slot

    EXPECT_EQ(fields.namedSlots(), (std::vector<int>{0, 1, 2, 3}));
    fields.clear(1);
    EXPECT_EQ(fields[1].type, FieldType::Date);
    EXPECT_TRUE(fields[1].numbers.empty());
    EXPECT_EQ(fields.namedSlots(), (std::vector<int>{0, 2, 3}));
}

}  // namespace
