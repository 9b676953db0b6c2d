// The one bounded cursor under every reader of outside bytes.
#include <gtest/gtest.h>

#include "records/byte_cursor.h"
#include "tests/support/bytes.h"

namespace {

TEST(ByteCursor, ReadsLittleEndianNumbersAndRunsOfBytes)
{
    const std::string bytes = bytesOf({0x2C, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b', 0, 'c', 'd'});
    ByteCursor cursor(bytes);
    EXPECT_EQ(cursor.littleEndian(2), 300u);
    EXPECT_EQ(cursor.littleEndian(4), 0xFFFFFFFEu);
    EXPECT_EQ(cursor.takeUntil('\0'), "ab");
    EXPECT_EQ(cursor.offset(), 9u);
    EXPECT_EQ(cursor.take(2), "cd");
    EXPECT_EQ(cursor.remaining(), 0u);
}

TEST(ByteCursor, AReadPastTheEndGivesNoneAndLeavesTheCursorAtTheEnd)
{
    const std::string bytes = bytesOf({1, 2, 3});
    const auto each = {
        +[](ByteCursor& c) { return c.littleEndian(4).has_value(); },
        +[](ByteCursor& c) { return c.take(4).has_value(); },
        +[](ByteCursor& c) { return c.takeUntil('\0').has_value(); },
    };
    for (const auto read : each) {
        ByteCursor cursor(bytes);
        ASSERT_EQ(cursor.byte(), 1u);
        EXPECT_FALSE(read(cursor));
        EXPECT_EQ(cursor.remaining(), 0u);
        EXPECT_EQ(cursor.byte(), std::nullopt);  // and every later read fails alike
    }
    ByteCursor empty{std::string_view()};
    EXPECT_EQ(empty.takeUntil('\0'), std::nullopt);
    EXPECT_EQ(empty.take(0), "");
}

}  // namespace
