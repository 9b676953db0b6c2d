#include <gtest/gtest.h>

#include <string>

#include "records/number_text.h"

namespace {

TEST(DecimalText, NumbersAsPrintfWritesThemAndDegreesToSixDecimals)
{
    struct Row {
        double value;
        const char* sixDecimals;
    };
    for (const Row row : {Row{51.387294827, "51.387295"}, Row{-0.416969872, "-0.416970"},
                          Row{-0.4, "-0.400000"}, Row{0.0000004, "0.000000"}, Row{-0.0000006, "-0.000001"},
                          Row{-9.9999996, "-10.000000"}, Row{180, "180.000000"}}) {
        std::string text = "x";
        appendSixDecimals(text, row.value);
        EXPECT_EQ(text, std::string("x") + row.sixDecimals) << row.value;
    }
    std::string padded;
    appendZeroPadded(padded, -5, 3);
    appendDecimal(padded, -2147483648LL);
    EXPECT_EQ(padded, "-05-2147483648");
}

}  // namespace
