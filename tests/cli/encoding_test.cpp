// Texts for people: the directory's Windows-1252 bytes, or the same texts in UTF-8; arguments
// and messages in the system's encoding.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/veskquery.h"
#include "tests/document/doc_test_support.h"

using namespace docfixture;

namespace {

class EncodingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDirectory(folder / "vesk.dat",
                       "NG\\FULL\\Place\n"
                       "O 153340\\Dublin\\D\xFAn M\xF3r\n"
                       "TQ102665\\Midshire\\Aston\n");
    }

    struct Run {
        int status;
        std::string out;
        std::string err;
    };
    Run query(std::vector<std::string> arguments, TerminalEncodings terminal)
    {
        arguments.insert(arguments.begin(), {"--data", (folder / "vesk.dat").string()});
        std::ostringstream out, err;
        const int status = runVeskQuery(arguments, out, err, terminal);
        return {status, out.str(), err.str()};
    }
    std::string run(std::vector<std::string> arguments, TextEncoding terminal, int expectedStatus = 0)
    {
        const Run done = query(std::move(arguments), {terminal});
        EXPECT_EQ(done.status, expectedStatus) << done.err;
        return done.out;
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

// On a system whose texts are UTF-8 an argument typed there means the directory's text, and a
// message quotes it, and names a file, as typed; the file names themselves go to the system
// unchanged. (Windows names files in UTF-16 and hands over arguments in its code page.)
TEST_F(EncodingTest, ArgumentsAndMessagesAreInTheSystemsEncoding)
{
    const std::string zoe = (folder / "Zo\xC3\xAB.bx0").string();
    constexpr bool namesAreUtf8 = sizeof(std::filesystem::path::value_type) == 1;
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
        bool namesAFile = false;
    };
    const Case cases[] = {
        {{"--and", "place name", "D\xC3\xBAn M\xC3\xB3r", "D\xC3\xBAn M\xC3\xB3r"}, 0, "D\xFAn M\xF3r, Dublin O 153340 \n", ""},
        {{"--sort", "Gr\xC3\xB6\xC3\x9F" "e"}, 2, "", "veskquery: unknown field \"Gr\xC3\xB6\xC3\x9F" "e\"\n"},
        // A letter the code page lacks would be compared as '?', which every place name follows.
        {{"--and", "place name", "\xC5\x81\xC3\xB3" "d\xC5\xBA", ""}, 2, "",
         "veskquery: \"?\xC3\xB3" "d?\" (after --and) has a letter that the directory's Windows-1252 texts cannot "
         "hold, shown here as \"?\"\n"},
        {{"--doc", zoe}, 2, "", "veskquery: \"" + zoe + "\" does not exist\n", true},
        {{"--output", zoe, "--ids"}, 0, "", "", true},
    };
    for (const Case& c : cases) {
        if (c.namesAFile && !namesAreUtf8) continue;
        const Run done = query(c.arguments, {TextEncoding::Windows1252, TextEncoding::Utf8});
        EXPECT_EQ(done.status, c.status) << c.arguments[1];
        EXPECT_EQ(done.out, c.out) << c.arguments[1];
        EXPECT_EQ(done.err, c.err) << c.arguments[1];
    }
    if (namesAreUtf8) {
        EXPECT_TRUE(std::filesystem::exists(zoe));
    }
}

}  // namespace
