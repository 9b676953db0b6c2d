// The built veskcomp program, run in temporary folders as a user would run it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "records/tower_directory.h"
#include "tests/support/bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/program_run.h"
#include "tests/support/special_files.h"
#include "tests/support/temporary_folder.h"

namespace {

ProgramRun runIn(const TemporaryFolder& folder, const std::vector<std::string>& arguments = {})
{
    return runProgram(BELFRIX_BINARY_DIR "/compiler/veskcomp", arguments, folder.path());
}

const std::string threeTowers =
    "Index\\NG\\FULL\\Place\\Dedicn\\Bells\\cwt\\qr\\lb\\Note\\Prac\\WebPage\n"
    "1\\SU123456\\Hampshire\\Alton\\St Lawrence\\8\\12\\2\\14\\Eb\\Mon 19.30\\http://alton\n"
    "2\\TQ102665\\Surrey\\Esher\\Christ Church\\6\\5\\\\\\A\\Wed 20.00\\\n"
    "3\\SU700500\\Hampshire\\Odiham\\All Saints\\8\\\\\\\\\\\\http://alton\n";

TEST(Veskcomp, CompilesAndPrintsTheSummary)
{
    TemporaryFolder folder;
    folder.write("vesk.txt", threeTowers);
    const ProgramRun run = runIn(folder, {"other.txt", "x"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "3 Towers, 2 Counties, 3 Saints, 1 URLs\n");
    EXPECT_EQ(run.error, "veskcomp: takes no arguments and leaves these unread: \"other.txt\" \"x\"\n");
    const std::optional<std::string> data = folder.read("vesk.dat");
    ASSERT_TRUE(data);
    const TowerDirectory read{TagReader(*data)};
    EXPECT_EQ(read.counts().towers, 3);
    EXPECT_EQ(read.counts().counties, 2);

    TemporaryFolder again;
    again.write("vesk.txt", threeTowers);
    EXPECT_EQ(runIn(again).status, 0);
    EXPECT_EQ(again.read("vesk.dat"), data);
}

TEST(Veskcomp, HeaderOnlyAndEmptySources)
{
    for (const std::string source : {"Place\\Bells\n", ""}) {
        TemporaryFolder folder;
        folder.write("vesk.txt", source);
        const ProgramRun run = runIn(folder);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "0 Towers, 0 Counties, 0 Saints, 0 URLs\n");
        EXPECT_EQ(folder.read("vesk.dat"), bytesOf({0xFF, 0xFF, 0xFF, 0xFF}));
    }
}

TEST(Veskcomp, HelpCompilesNothingAndASummaryThatCannotBeWrittenFails)
{
    TemporaryFolder folder;
    folder.write("vesk.txt", threeTowers);
    const ProgramRun help = runIn(folder, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: veskcomp\n")) << help.out;
    EXPECT_EQ(folder.read("vesk.dat"), std::nullopt);

    if (!SpecialFiles::available) GTEST_SKIP() << "no /dev/full here";
    const std::string command = "cd '" + folder.path().string() + "' && { '" BELFRIX_BINARY_DIR
                                "/compiler/veskcomp' >/dev/full 2>stderr.txt; echo $? >status.txt; }";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(folder.read("status.txt"), "1\n");
    EXPECT_EQ(folder.read("stderr.txt"), "veskcomp: cannot write the summary: No space left on device\n");
}

// Notes quote the source's Windows-1252 bytes, and the arguments as typed, in UTF-8, the
// encoding of the system's texts, whatever the locale.
TEST(Veskcomp, MessagesAreInUtf8)
{
    if (!SpecialFiles::available) GTEST_SKIP() << "no shell here to set the locale";
    TemporaryFolder folder;
    folder.write("vesk.txt", "Place\\FULL\nCaf\xE9\\Essex");
    for (const char* locale : {"C", "C.UTF-8"}) {
        const std::string command = "cd '" + folder.path().string() + "' && LC_ALL=" + locale + " '" BELFRIX_BINARY_DIR
                                    "/compiler/veskcomp' Zo\xC3\xAB >/dev/null 2>stderr.txt";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(folder.read("stderr.txt"),
                  "veskcomp: takes no arguments and leaves these unread: \"Zo\xC3\xAB\"\n"
                  "veskcomp: the last line of vesk.txt has no line feed after it and is left out: \"Caf\xC3\xA9\\Essex\"\n")
            << locale;
    }
}

TEST(Veskcomp, MissingSourceFailsAndKeepsTheDataFile)
{
    TemporaryFolder folder;
    folder.write("vesk.dat", "previous");
    const ProgramRun run = runIn(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.error.find("vesk.txt"), std::string::npos) << run.error;
    EXPECT_EQ(folder.read("vesk.dat"), "previous");
}

TEST(Veskcomp, FullDiskFailsAfterTheSummaryAndKeepsTheOldDataFile)
{
    std::string source = "Place\\FULL\n";
    for (int i = 0; i < 500; ++i) source += "Place number " + std::to_string(i) + "\\County\n";
    TemporaryFolder folder;
    folder.write("vesk.txt", source);
    folder.write("vesk.dat", "previous");
    // A file size limit of 1024 bytes stands in for a full disk; the write fails with EFBIG.
    if (!FileSizeLimit::available) GTEST_SKIP() << "no file size limit here to stand in for a full disk";
    ProgramRun run;
    {
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.isSet());
        run = runIn(folder);
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "500 Towers, 1 Counties, 0 Saints, 0 URLs\n");
    EXPECT_NE(run.error.find("vesk.dat"), std::string::npos) << run.error;
    EXPECT_EQ(folder.read("vesk.dat"), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);  // no temporary file left beside it

    // Both into one file, as into a terminal: the summary, then the failure.
    const std::string command = "cd '" + folder.path().string() + "' && (trap '' XFSZ; ulimit -f 1; '" BELFRIX_BINARY_DIR
                                "/compiler/veskcomp' >both.txt 2>&1)";
    EXPECT_NE(std::system(command.c_str()), 0);
    const std::optional<std::string> both = folder.read("both.txt");
    ASSERT_TRUE(both);
    EXPECT_EQ(*both, run.out + run.error);
}

TEST(Veskcomp, RefusesWhatIsNoRegularFileOrTooLargeWithoutWaiting)
{
    struct Case {
        std::string name;
        std::function<void(const TemporaryFolder&)> make;
        std::string said;
    };
    if (!SpecialFiles::available) GTEST_SKIP() << "no pipes in the file system here";
    const auto fifo = [](const TemporaryFolder& folder, const char* name) {
        const SpecialFiles special(folder.path());
        std::filesystem::rename(special.fifo, folder / name);
    };
    const Case cases[] = {
        {"source a FIFO", [&](auto& folder) { fifo(folder, "vesk.txt"); },
         "veskcomp: \"vesk.txt\" is not a regular file\n"},
        {"source a folder", [](auto& folder) { std::filesystem::create_directory(folder / "vesk.txt"); },
         "veskcomp: \"vesk.txt\" is not a regular file\n"},
        {"source far too large",
         [](auto& folder) {
             folder.write("vesk.txt", "");
             std::filesystem::resize_file(folder / "vesk.txt", directorySourceFile.largest + 1);
         },
         "veskcomp: \"vesk.txt\" is larger than any directory source can be (33554433 bytes, at most "
         "33554432)\n"},
        {"data file a FIFO",
         [&](auto& folder) {
             folder.write("vesk.txt", threeTowers);
             fifo(folder, "vesk.dat");
         },
         "veskcomp: \"vesk.dat\" is not a regular file\n"},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        c.make(folder);
        const bool refused = finishesWithin(10, [&] {
            const ProgramRun run = runIn(folder);
            return run.status == 1 && run.error == c.said;
        });
        EXPECT_TRUE(refused) << c.name;
    }
}

}  // namespace
