#include <gtest/gtest.h>

#include <string>

#include "viewer/wx_text.h"

namespace {

TEST(WxText, EveryByteShowsAsACharacterAndTypedTextComesBackAsTheSameBytes)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        const wxString shown = toWx(text);
        ASSERT_EQ(shown.length(), 1u) << byte;
        EXPECT_EQ(fromWx(shown), text) << byte;
    }
    EXPECT_EQ(toWx("51\xB0" "23'12\"N"), wxString::FromUTF8("51°23'12\"N"));
    EXPECT_EQ(toWx("\x80 \x93q\x94 \x9F"), wxString::FromUTF8("€ “q” Ÿ"));
    EXPECT_EQ(toWx("Ceann \xC1th \xE9ire"), wxString::FromUTF8("Ceann Áth éire"));
    EXPECT_EQ(static_cast<wxUint32>(toWx("\x81")[0].GetValue()), 0x81u);
}

TEST(WxText, NoBytesEverBecomeAnEmptyText)
{
    EXPECT_EQ(toWx(std::string("\0ab", 3)).length(), 3u);
    EXPECT_FALSE(toWx(std::string("\0", 1)).empty());
    EXPECT_EQ(fromWx(wxString::FromUTF8("Zürich → Kraków")), "Z\xFCrich ? Krak\xF3w");
}

}  // namespace
