// Texts for people: the directory's Windows-1252 bytes, or the same texts in UTF-8.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/veskquery.h"
#include "query/windows1252.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

TEST(Windows1252ToUtf8, EachByteBecomesItsCharacter)
{
    struct Case {
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"Aston, S Mary 19.30", "Aston, S Mary 19.30"},
        {"51\xB0" "23'12\"N", "51\xC2\xB0" "23'12\"N"},                  // degree sign
        {"D\xFAn \xC9" "anna", "D\xC3\xBAn \xC3\x89" "anna"},           // ú, É
        {"\x80", "\xE2\x82\xAC"},                                       // euro sign
        {"\x8A\x9F", "\xC5\xA0\xC5\xB8"},                               // Š, Ÿ
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // unassigned
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(windows1252ToUtf8(c.bytes), c.utf8) << c.bytes;
}

class EncodingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat",
                       "NG\\FULL\\Place\n"
                       "O 153340\\Dublin\\D\xFAn M\xF3r\n"
                       "TQ102665\\Midshire\\Aston\n");
    }

    std::string run(std::vector<std::string> arguments, TextEncoding terminal, int expectedStatus = 0)
    {
        arguments.insert(arguments.begin(), {"--data", (folder / "vesk.dat").string()});
        std::ostringstream out, err;
        EXPECT_EQ(runVeskQuery(arguments, out, err, terminal), expectedStatus) << err.str();
        return out.str();
    }

    TemporaryFolder folder;
};

TEST_F(EncodingTest, TheExactBytesUnlessUtf8IsAskedForOrTheTerminalShowsIt)
{
    const std::string bytes = "Aston, Midshire TQ102665 \nD\xFAn M\xF3r, Dublin O 153340 \n";
    const std::string utf8 = "Aston, Midshire TQ102665 \nD\xC3\xBAn M\xC3\xB3r, Dublin O 153340 \n";
    EXPECT_EQ(run({}, TextEncoding::Windows1252), bytes);
    EXPECT_EQ(run({}, TextEncoding::Utf8), utf8);
    EXPECT_EQ(run({"--encoding", "utf-8"}, TextEncoding::Windows1252), utf8);
    EXPECT_EQ(run({"--encoding", "cp1252"}, TextEncoding::Utf8), bytes);
    EXPECT_EQ(run({"--encoding", "latin-1"}, TextEncoding::Utf8, 2), "");
}

TEST_F(EncodingTest, CsvAndLatitudesAreConvertedToo)
{
    const std::string csv = run({"--csv", "--ref", "latlong", "--and", "place name", "A", "A"},
                                TextEncoding::Utf8);
    EXPECT_NE(csv.find("\"51\xC2\xB0" "23'12\"\"N 0\xC2\xB0" "24'55\"\"W\""), std::string::npos) << csv;
    EXPECT_TRUE(csv.ends_with("\r\n"));
}

}  // namespace
