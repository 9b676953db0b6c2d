// Reading a file whole, and replacing one so that a failed write leaves the old file as it was.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "records/file_bytes.h"
#include "tests/support/temporary_folder.h"

namespace fs = std::filesystem;

namespace {

// Anything left in the folder, temporary files included.
std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileBytes, ReadsEveryByteOrNothing)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "data";
    const std::string content = std::string("a\0b\r\n\xFF", 6) + std::string(200000, 'z');
    std::ofstream(file, std::ios::binary) << content;
    EXPECT_EQ(readFileBytes(file), content);
    EXPECT_EQ(readFileBytes(folder.path() / "missing"), std::nullopt);
    EXPECT_EQ(readFileBytes(folder.path()), std::nullopt);  // a folder cannot be read
    std::ofstream(folder.path() / "empty", std::ios::binary);
    EXPECT_EQ(readFileBytes(folder.path() / "empty"), std::string());
}

TEST(FileBytes, ReplacesAFileAndKeepsItsPermissions)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "vesk.dat";
    replaceFileContents(file, "first");
    EXPECT_EQ(readFileBytes(file), "first");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    replaceFileContents(file, std::string("second\0", 7));
    EXPECT_EQ(readFileBytes(file), std::string("second\0", 7));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesIn(folder.path()), 1u);  // no temporary file left behind
}

TEST(FileBytes, AFailedReplaceNamesTheFileAndLeavesNoTrace)
{
    TemporaryFolder folder;
    const fs::path blocked = folder.path() / "vesk.dat";
    fs::create_directory(blocked);
    try {
        replaceFileContents(blocked, "data");
        FAIL() << "writing over a folder succeeded";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find(blocked.string()), std::string::npos) << failure.what();
    }
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    EXPECT_THROW(replaceFileContents(folder.path() / "no-such-folder" / "vesk.dat", "data"),
                 std::runtime_error);
}

TEST(FileBytes, ADiskFullWriteLeavesTheOldFileWhole)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "vesk.dat";
    replaceFileContents(file, "the old file");

    // A file size limit stands in for a full disk: writes beyond it fail with EFBIG.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool failed = false;
    try {
        replaceFileContents(file, std::string(100000, 'n'));
    } catch (const std::runtime_error&) {
        failed = true;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(failed);
    EXPECT_EQ(readFileBytes(file), "the old file");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

}  // namespace
