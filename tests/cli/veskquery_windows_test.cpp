// The Windows build of veskquery, run as a user runs it from a command line.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/document/doc_test_support.h"
#include "tests/support/program_run.h"

using namespace docfixture;
using namespace std::string_literals;

namespace {

class VeskQueryOnWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { writeDirectory(folder / "vesk.dat"); }

    ProgramRun run(const std::vector<std::string>& arguments)
    {
        return runProgram(BELFRIX_BINARY_DIR "/cli/veskquery", arguments, folder.path());
    }

    TemporaryFolder folder;
};

TEST_F(VeskQueryOnWindowsTest, WhatNeedsProjSaysSoInOneLineAndWritesNothing)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--gpx"}, {"--geojson"}, {"--links", "openstreetmap"}}) {
        SCOPED_TRACE(arguments.front());
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.error.starts_with("veskquery: GPX and GeoJSON exports and OpenStreetMap links need PROJ"))
            << result.error;
        EXPECT_EQ(std::count(result.error.begin(), result.error.end(), '\n'), 1);
    }
}

TEST_F(VeskQueryOnWindowsTest, ADocumentNamedWithAccentedLettersOpens)
{
    // Centre SU123456, radius 20000 m, no user-defined fields.
    writeAll(folder.path() / std::filesystem::path(u8"\u00C1th \u00D3 D\u00FAin.bx0"),
             "\x08SU123456"s + "\x00\x00\x00\x00\x00\x88\xD3\x40"s + "\x00\x00\x00\x00"s);
    // Arguments come in the system's code page, Windows-1252 here.
    const ProgramRun opened = run({"--doc", "\xC1th \xD3 D\xFAin.bx0", "--and", "distance", "0", "10", "--ids"});
    EXPECT_EQ(opened.status, 0) << opened.error;
    EXPECT_EQ(opened.out, run({"--centre", "SU123456", "--and", "distance", "0", "10", "--ids"}).out);
    EXPECT_NE(opened.out, run({"--and", "distance", "0", "10", "--ids"}).out);
}

}  // namespace
