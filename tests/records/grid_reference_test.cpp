#include "records/grid_reference.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ReadCase {
    std::string text;
    Position expected;
};

TEST(GridReference, ReadsReferenceText)
{
    const std::vector<ReadCase> cases = {
        {"TQ102665", {5102, 1665}},
        {"SU123456", {4123, 1456}},
        {"SV000500", {0, 500}},
        {"O 153340", {1176, 4012}},
        // Only characters 2-4 and 5-7 hold digits; the rest is ignored.
        {"TQ1022066500", {5102, 1206}},
        // Groups " 10" and "2 6" read as a "%d" scan reads them.
        {"TQ 102 665", {5010, 1002}},
        {"TQ+10665", {5010, 1665}},
        {"SV000000", {0, 0}},
        {"TQ1066", {0, 0}},
        {"TQ10266", {0, 0}},
        {"", {0, 0}},
        // Bytes that name no square, and groups without a number, make no position.
        {"tq102665", {0, 0}},
        {"TI102665", {0, 0}},
        {"TQ102abc", {0, 0}},
        {"I 153340", {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseGridRef(c.text), c.expected);
    }
}

struct WriteCase {
    Position position;
    std::string expected;
};

TEST(GridReference, WritesReferenceText)
{
    const std::vector<WriteCase> cases = {
        {{5102, 1665}, "TQ102665"},
        {{1176, 4012}, "O 153340"},
        // National positions inside the Irish range are written on the Irish grid.
        {{1900, 2100}, "Y 877428"},
        {{0, 500}, "SV000500"},
        {{0, 0}, ""},
        // West of the false origin, outside the Irish range: the square west of SV.
        {{-5, 100}, "RZ995100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(formatGridRef(c.position), c.expected);
    }
}

TEST(GridReference, IrishRangeIsOpenOnEverySide)
{
    EXPECT_TRUE(isIrishPosition({-1976, 1673}));
    EXPECT_TRUE(isIrishPosition({2022, 6671}));
    EXPECT_FALSE(isIrishPosition({-1977, 3000}));
    EXPECT_FALSE(isIrishPosition({2023, 3000}));
    EXPECT_FALSE(isIrishPosition({0, 1672}));
    EXPECT_FALSE(isIrishPosition({0, 6672}));
}

// Every square letter pair with digits at the edges and inside of its square: a national
// reference is written back as itself unless its place lies in the Irish range, and every
// reference that reads as a position is written as a text that reads back to that position.
TEST(GridReference, EveryNationalSquareRoundTrips)
{
    const std::vector<std::string> digitGroups = {"000", "001", "500", "999"};
    int writtenAsItself = 0;
    for (char first : GridLetters) {
        for (char second : GridLetters) {
            for (const auto& easting : digitGroups) {
                for (const auto& northing : digitGroups) {
                    const std::string text = std::string{first, second} + easting + northing;
                    SCOPED_TRACE(text);
                    const Position position = parseGridRef(text);
                    if (!position.isSet()) continue;
                    const std::string written = formatGridRef(position);
                    EXPECT_EQ(parseGridRef(written), position);
                    if (!isIrishPosition(position)) {
                        EXPECT_EQ(written, text);
                        ++writtenAsItself;
                    }
                }
            }
        }
    }
    // Of 625 squares only the few dozen overlapping the Irish range are written otherwise.
    EXPECT_GT(writtenAsItself, 9000);
}

TEST(GridReference, IrishSquaresInsideTheRangeRoundTrip)
{
    for (char letter : GridLetters) {
        for (const std::string digits : {"001001", "500500", "999999"}) {
            const std::string text = std::string{letter, ' '} + digits;
            SCOPED_TRACE(text);
            const Position position = parseGridRef(text);
            // The eastern column of the Irish grid lies beyond the range and is national.
            if ((GridLetters.find(letter) % 5) == 4) {
                EXPECT_FALSE(isIrishPosition(position));
                continue;
            }
            EXPECT_TRUE(isIrishPosition(position));
            EXPECT_EQ(formatGridRef(position), text);
        }
    }
}

TEST(GridReference, BoundsOfPartialReferences)
{
    EXPECT_EQ(eastingBound("TQ1", false), 5100);
    EXPECT_EQ(eastingBound("TQ1", true), 5199);
    EXPECT_EQ(eastingBound("TQ102", false), 5102);
    EXPECT_EQ(eastingBound("TQ102", true), 5102);
    EXPECT_EQ(northingBound("TQ6", false), 1600);
    EXPECT_EQ(northingBound("TQ6", true), 1699);
    EXPECT_EQ(northingBound("TQ", true), 1999);
    EXPECT_EQ(northingBound("TQ102665", false), 1102);

    // Irish: the letter and its blank are the letters part.
    EXPECT_EQ(eastingBound("O 1", false), 1123);
    EXPECT_EQ(eastingBound("O 1", true), 1222);
    EXPECT_EQ(northingBound("O 1", false), 3772);
    EXPECT_EQ(northingBound("O 1", true), 3871);

    // Texts that make no full reference.
    EXPECT_EQ(eastingBound("", false), 0);
    EXPECT_EQ(eastingBound("", true), 0);
    EXPECT_EQ(northingBound("T", true), 0);
    EXPECT_EQ(northingBound("", false), 0);
}

} // namespace
