#include "geo/location_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TextCase {
    Position position;
    ReferenceSystem system;
    std::string expected;
};

// Worked examples, and for (6000, 2500) the degrees that PROJ gives for the centre of its square,
// 52.112116485 N 0.921928771 E, written out by hand.
TEST(LocationText, EachSystemWritesThePlace)
{
    const std::vector<TextCase> cases = {
        {{5102, 1665}, ReferenceSystem::OS, "TQ102665"},
        {{5102, 1665}, ReferenceSystem::UTM, "30U:(679,5696)"},
        {{5102, 1665}, ReferenceSystem::LatLong, "51\xB0" "23'12\"N 0\xB0" "24'55\"W"},
        {{4123, 1456}, ReferenceSystem::UTM, "30U:(582,5673)"},
        {{4123, 1456}, ReferenceSystem::LatLong, "51\xB0" "12'33\"N 1\xB0" "49'23\"W"},
        {{1, 1}, ReferenceSystem::UTM, "29U:(604,5513)"},
        {{1, 1}, ReferenceSystem::LatLong, "49\xB0" "46'3\"N 7\xB0" "33'16\"W"},
        {{6000, 2500}, ReferenceSystem::LatLong, "52\xB0" "6'43\"N 0\xB0" "55'18\"E"},
        {{1176, 4012}, ReferenceSystem::OS, "O 153340"},
        {{1176, 4012}, ReferenceSystem::UTM, ""},
        {{1176, 4012}, ReferenceSystem::LatLong, ""},
        {{0, 0}, ReferenceSystem::OS, ""},
        {{0, 0}, ReferenceSystem::UTM, ""},
        {{0, 0}, ReferenceSystem::LatLong, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(locationText(c.position, c.system), c.expected);
    }
}

TEST(LocationText, DegreesMinutesSecondsTruncate)
{
    EXPECT_EQ(formatDms(51.3868), "51\xB0" "23'12\"");
    EXPECT_EQ(formatDms(0), "0\xB0" "0'0\"");
    // 1.99999 degrees is 1 degree 59 minutes 59.96 seconds: nothing rounds up.
    EXPECT_EQ(formatDms(1.99999), "1\xB0" "59'59\"");
    EXPECT_EQ(formatDms(180), "180\xB0" "0'0\"");
}

// Places far off the lettered squares still give some text and never fail.
TEST(LocationText, PlacesBeyondTheGridGiveText)
{
    EXPECT_FALSE(locationText({-20000000, 2000000000}, ReferenceSystem::UTM).empty());
    EXPECT_FALSE(locationText({2147483647, -2147483647}, ReferenceSystem::LatLong).empty());
    EXPECT_EQ(locationText({30000, 100}, ReferenceSystem::OS), "  000100");
    EXPECT_EQ(locationText({2147483647, -2147483647 - 1}, ReferenceSystem::OS), "  647-648");
}

} // namespace
