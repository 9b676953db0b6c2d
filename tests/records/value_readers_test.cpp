// The readers of the source columns, one row per case. Expected values are the directory's own
// examples or worked by hand from the unit definitions (112 lb to the cwt, 28 to the quarter).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/value_readers.h"

namespace {

struct Row {
    std::string text;
    std::int32_t expected;
};

void check(std::int32_t (*reader)(std::string_view), const std::vector<Row>& rows)
{
    for (const Row& row : rows) EXPECT_EQ(reader(row.text), row.expected) << '"' << row.text << '"';
}

TEST(ValueReaders, Integer)
{
    check(readInteger, {
        {"8", 8},
        {"10 (ring of 12)", 10},
        {"", 0},
        {"  \t12", 12},
        {"-3x", -3},
        {"+4", 4},
        {"x5", 0},
        {"- 5", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        // beyond 32 bits a number stops at its limit rather than turning negative
        {"99999999999", 2147483647},
        {"-99999999999999999999", -2147483647 - 1},
    });
}

TEST(ValueReaders, Weight)
{
    check(readWeight, {
        {"12-2-14", 1414},
        {"12&#189;", 1400},
        {"12&#188;", 1372},
        {"12&#190;", 1428},
        {"12&#191;", 1344},
        {"12&#190;--", 1428},
        {"12--", 1344},
        {"12-2-", 1344},  // two numbers: whole hundredweights only
        {"--", 0},
        {"", 0},
        {"&#189;", 56},
        {"0-3-27", 111},
        {"12 2 14", 1274},  // blanks give plus signs: 112 * 12 - 28 * 2 - 14
        {"12-2-14&#189;", 1414},
    });
}

TEST(ValueReaders, Note)
{
    check(readNote, {
        {"", 0},
        {"A", 4},
        {"Ab", 3},
        {"A flat", 3},
        {"A natural", 4},
        {"A#", 5},
        {"Bb", 6},
        {"EF", 15},
        {"F", 19},
        {"FF", 18},
        {"F#", 20},
        {"G", 22},
        {"Gb", 21},
        {"G#", 23},
        {"D sharp", 13},  // only '#' marks a sharp
        {"a", 100},       // lower-case letters are not notes, but read all the same
        {"\xE9", -260},   // a byte above 127 counts as negative
    });
}

TEST(ValueReaders, PracticeNight)
{
    check(readPracticeNight, {
        {"Mon 19.30", 2},
        {"-Wed", 12},
        {"+Sat", 23},
        {"Tuesday", 3},
        {"Mon, Fri", 2},
        {"Fri, Mon", 2},
        {"5", 5},
        {"19.30", 0},
        {"practice -Mon", 10},
        {"Mon-", 2},
        {"", 0},
        {"none", 0},
        {"Sun", 1},
        {"Thu 20.00", 5},
        {"x+7", 23},
        {"x7-3", 11},   // the lowest digit, wherever it stands
        {"5 Sat", 7},   // any day before any digit
        {"mon", 0},
    });
}

TEST(ValueReaders, PracticeTime)
{
    check(readPracticeTime, {
        {"Mon 19.30", 1170},
        {"Tues 7.45", 465},
        {"Mon 19", 1140},
        {"Mon 19.", 1140},
        {"Mon .5", 50},
        {"Mon", 0},
        {"Mon ", 0},
        {"Mon x", 0},
        {"Wed  20.00", 1200},
        {"Fri 7.3", 450},     // 7.30
        {"Mon 19.305", 1171}, // a third decimal rounds: 100 * 19.305 - 40 * 19 + 0.5
        {"Sat 0.05", 5},
        {"Thu +8.15", 495},
        {"Mon -1.30", -49},   // 100 * -1.3 - 40 * -2 + 0.5 is just above -49.5, truncated toward zero
        {"Mon 1e1", 600},     // 10 hours
        {"Mon inf", 0},
        {"Mon nan", 0},
        {"Mon 1e30", 0},      // no number of minutes that large
    });
}

}  // namespace
