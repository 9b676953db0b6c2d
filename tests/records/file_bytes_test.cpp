// Reading a file whole, and replacing one so that a failed write leaves the old file as it was.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "records/file_bytes.h"
#include "tests/support/file_size_limit.h"
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
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no permission bits (file_bytes_windows_test checks their attributes)";
#endif
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
    if (!FileSizeLimit::available) GTEST_SKIP() << "no file size limit here to stand in for a full disk";
    bool failed = false;
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.isSet());
        try {
            replaceFileContents(file, std::string(100000, 'n'));
        } catch (const std::runtime_error&) {
            failed = true;
        }
    }

    EXPECT_TRUE(failed);
    EXPECT_EQ(readFileBytes(file), "the old file");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(FileBytes, WritesThroughSymbolicLinksAndKeepsThem)
{
#ifdef _WIN32
    GTEST_SKIP() << "files are replaced without following symbolic links on Windows";
#endif
    TemporaryFolder folder;
    fs::create_directory(folder.path() / "elsewhere");
    const fs::path real = folder.path() / "elsewhere" / "vesk.dat";
    replaceFileContents(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    // A relative link to an absolute one to the file.
    const fs::path absolute = folder.path() / "absolute.dat";
    fs::create_symlink(real, absolute);
    const fs::path relative = folder.path() / "vesk.dat";
    fs::create_symlink("absolute.dat", relative);

    replaceFileContents(relative, "new");
    EXPECT_TRUE(fs::is_symlink(relative));
    EXPECT_TRUE(fs::is_symlink(absolute));
    EXPECT_EQ(readFileBytes(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entriesIn(folder.path() / "elsewhere"), 1u);

    // A link to no file yet makes the file it names.
    const fs::path dangling = folder.path() / "later.dat";
    fs::create_symlink("elsewhere/later.dat", dangling);
    replaceFileContents(dangling, "made");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(readFileBytes(folder.path() / "elsewhere" / "later.dat"), "made");

    // A loop of links is refused, and nothing is written.
    fs::create_symlink("loop-b", folder.path() / "loop-a");
    fs::create_symlink("loop-a", folder.path() / "loop-b");
    EXPECT_THROW(replaceFileContents(folder.path() / "loop-a", "x"), FileWriteError);
}

#ifdef _WIN32
// A read-only file is read-only for every user.
template <typename Check>
void asOrdinaryUser(const fs::path&, Check check)
{
    EXPECT_TRUE(check());
}
#else
// Runs the check as a user other than root where the tests run as root, who may write any file.
template <typename Check>
void asOrdinaryUser(const fs::path& folder, Check check)
{
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    fs::permissions(folder, fs::perms::all);  // the other user may make files in it
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
#endif

TEST(FileBytes, RefusesAFileTheUserMayNotWrite)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "vesk.dat";
    replaceFileContents(file, "kept");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    asOrdinaryUser(folder.path(), [&] {
        try {
            replaceFileContents(file, "lost");
            return false;
        } catch (const FileWriteError& error) {
            const std::string message = error.what();
            return error.error() == EACCES && !error.leftIncomplete()
                   && message.find(file.string()) != std::string::npos
                   && message.find("Permission denied") != std::string::npos;
        }
    });
    EXPECT_EQ(readFileBytes(file), "kept");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

}  // namespace
