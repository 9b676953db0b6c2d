// The directory's code page beside UTF-8, the encoding of terminals, file names and exports.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "records/file_bytes.h"
#include "records/windows1252.h"

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

TEST(Utf8ToWindows1252, EachCharacterBecomesItsByteAndOtherBytesStay)
{
    struct Case {
        std::string utf8;
        std::string bytes;
    };
    const Case cases[] = {
        {"D\xC3\xBAn M\xC3\xB3r", "D\xFAn M\xF3r"},
        {"\xE2\x82\xAC \xC5\xA0 \xC2\x81", "\x80 \x8A \x81"},          // euro sign, S caron, unassigned
        {"\xE6\x97\xA5\xF0\x9F\x94\x94.", "??."},                       // characters the code page lacks
        {"Caf\xE9 \xC3", "Caf\xE9 \xC3"},                                  // code page bytes, a cut sequence
        {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80", "\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80"},  // overlong, surrogate, beyond U+10FFFF
        {"\xC3\xA9\xC3", "\xE9\xC3"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf8ToWindows1252(c.utf8), c.bytes) << c.utf8;

    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(everyByte)), everyByte);
}

TEST(QuotedPath, NamesAFileInTheCodePageOfMessages)
{
    EXPECT_EQ(quotedPath(std::filesystem::path(u8"D\xC3\xBAn/\xE6\x97\xA5.bx0")), "\"D\xFAn/?.bx0\"");
}

}  // namespace
