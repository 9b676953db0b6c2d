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
#include "records/temporary_names.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/special_files.h"
#include "tests/support/temporary_folder.h"

namespace fs = std::filesystem;

namespace {

// Anything left in the folder, temporary files included.
std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

constexpr FileKind anyFile{"file", 64 << 20};
constexpr FileKind smallFile{"small file", 300000};

std::string read(const fs::path& file) { return readFileBytes(file, anyFile); }

TEST(FileBytes, ReadsEveryByteOfARegularFile)
{
    TemporaryFolder folder;
    const fs::path file = folder.path() / "data";
    const std::string content = std::string("a\0b\r\n\xFF", 6) + std::string(200000, 'z');
    std::ofstream(file, std::ios::binary) << content;
    EXPECT_EQ(read(file), content);
    std::ofstream(folder.path() / "empty", std::ios::binary);
    EXPECT_EQ(read(folder.path() / "empty"), std::string());
}

TEST(FileBytes, RefusesWhatIsNoRegularFileOrTooLargeWithoutWaiting)
{
    if (!SpecialFiles::available) GTEST_SKIP() << "no pipes or sockets in the file system here";
    TemporaryFolder folder;
    const SpecialFiles special(folder.path());
    struct Case {
        fs::path path;
        FileReadError::Reason reason;
        std::string said;
    };
    std::ofstream(folder.path() / "huge");
    fs::resize_file(folder.path() / "huge", smallFile.largest + 1);  // sparse: nothing is written
    const Case cases[] = {
        {folder.path() / "missing", FileReadError::Reason::Missing, "does not exist"},
        {folder.path(), FileReadError::Reason::NotRegularFile, "is not a regular file"},
        {special.fifo, FileReadError::Reason::NotRegularFile, "is not a regular file"},
        {special.socket, FileReadError::Reason::NotRegularFile, "is not a regular file"},
        {"/dev/zero", FileReadError::Reason::NotRegularFile, "is not a regular file"},
        {folder.path() / "huge", FileReadError::Reason::TooLarge,
         "is larger than any small file can be (300001 bytes, at most 300000)"},
    };
    for (const Case& c : cases) {
        const bool refused = finishesWithin(5, [&] {
            try {
                readFileBytes(c.path, smallFile);
            } catch (const FileReadError& error) {
                return error.reason() == c.reason &&
                       std::string(error.what()) == quotedPath(c.path) + " " + c.said;
            }
            return false;
        });
        EXPECT_TRUE(refused) << c.path;
    }
}

TEST(FileBytes, ReplacesAFileAndKeepsItsPermissions)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no permission bits (file_bytes_windows_test checks their attributes)";
#endif
    TemporaryFolder folder;
    const fs::path file = folder.path() / "vesk.dat";
    replaceFileContents(file, "first");
    EXPECT_EQ(read(file), "first");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    replaceFileContents(file, std::string("second\0", 7));
    EXPECT_EQ(read(file), std::string("second\0", 7));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entriesIn(folder.path()), 1u);  // no temporary file left behind
}

TEST(FileBytes, AReplaceOfWhatIsNoRegularFileIsRefusedWithoutWaiting)
{
    if (!SpecialFiles::available) GTEST_SKIP() << "no pipes or sockets in the file system here";
    TemporaryFolder folder;
    const SpecialFiles special(folder.path());
    fs::create_directory(folder.path() / "folder");
    for (const fs::path& target : {folder.path() / "folder", special.fifo, special.socket, fs::path("/dev/full")}) {
        const bool refused = finishesWithin(5, [&] {
            try {
                replaceFileContents(target, "data");
            } catch (const FileWriteError& error) {
                return std::string(error.what()) == quotedPath(target) + " is not a regular file";
            }
            return false;
        });
        EXPECT_TRUE(refused) << target;
    }
    EXPECT_TRUE(fs::is_fifo(special.fifo));
    EXPECT_TRUE(fs::is_empty(folder.path() / "folder"));
    EXPECT_EQ(entriesIn(folder.path()), 3u);

    EXPECT_THROW(replaceFileContents(folder.path() / "no-such-folder" / "vesk.dat", "data"), FileWriteError);
}

TEST(FileBytes, ADiskFullWriteSaysWhyAndLeavesTheOldFileWhole)
{
    if (!FileSizeLimit::available) GTEST_SKIP() << "no file size limit here to stand in for a full disk";
    for (const TemporaryFile temporary : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        TemporaryFolder folder;
        const fs::path file = folder.path() / "vesk.dat";
        replaceFileContents(file, "the old file");

        std::string said;
        try {
            const FileSizeLimit diskFull(4096);
            replaceFileContents(file, std::string(100000, 'n'), temporary);
        } catch (const FileWriteError& error) {
            said = error.what();
        }

        EXPECT_EQ(said, quotedPath(file) + " cannot be written: File too large");
        EXPECT_EQ(read(file), "the old file");
        EXPECT_EQ(entriesIn(folder.path()), 1u);
    }
}

TEST(FileBytes, ANameNearTheLongestAFolderTakesCanBeWrittenAndWrittenAgain)
{
    for (const TemporaryFile temporary : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        TemporaryFolder folder;
        const fs::path file = folder.path() / (std::string(246, 'n') + ".bx0");
        replaceFileContents(file, "first", temporary);
        replaceFileContents(file, "second", temporary);
        EXPECT_EQ(read(file), "second");
        EXPECT_EQ(entriesIn(folder.path()), 1u);
    }
}

TEST(FileBytes, KilledWritesLeaveNoTemporaryFileOnceTheNextWriteIsDone)
{
#ifdef _WIN32
    GTEST_SKIP() << "no fork here to kill a writer in the middle of a write";
#else
    for (const TemporaryFile temporary : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        TemporaryFolder folder;
        const fs::path file = folder.path() / "towers.csv";
        const std::string whole(4 << 20, 'w');
        replaceFileContents(file, "the old file");
        for (int round = 0; round < 40; ++round) {
            const pid_t writer = ::fork();
            ASSERT_GE(writer, 0);
            if (writer == 0) {
                for (;;) replaceFileContents(file, whole, temporary);
            }
            ::usleep(static_cast<useconds_t>(1000 + 997 * round % 20000));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);
            // Whatever the moment of the kill, the file is one whole version or the other.
            const std::string now = read(file);
            EXPECT_TRUE(now == "the old file" || now == whole) << now.size() << " bytes";
        }
        replaceFileContents(file, "the new file", temporary);
        EXPECT_EQ(read(file), "the new file");
        EXPECT_EQ(entriesIn(folder.path()), 1u) << (temporary == TemporaryFile::Named ? "named" : "unnamed");
    }
#endif
}

// A file named as a temporary of the target whose process number no process can have was left by
// no writer this can judge: it stays, even where the number cut to a process id's size would
// name a process that is gone.
TEST(FileBytes, ATemporaryNamedForNoPossibleProcessIsKept)
{
#ifdef _WIN32
    GTEST_SKIP() << "no fork here to find a process that is gone";
#else
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    TemporaryFolder folder;
    const fs::path file = folder.path() / "vesk.dat";
    const std::uint64_t beyondEveryProcess = (std::uint64_t{1} << 32) + static_cast<std::uint64_t>(gone);
    const fs::path stranger = folder.path() / temporaryName(file, beyondEveryProcess, 0);
    replaceFileContents(stranger, "not ours");
    replaceFileContents(file, "towers");
    EXPECT_EQ(read(stranger), "not ours");
#endif
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
    EXPECT_EQ(read(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entriesIn(folder.path() / "elsewhere"), 1u);

    // A link to no file yet makes the file it names.
    const fs::path dangling = folder.path() / "later.dat";
    fs::create_symlink("elsewhere/later.dat", dangling);
    replaceFileContents(dangling, "made");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(read(folder.path() / "elsewhere" / "later.dat"), "made");

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
            return std::string(error.what()) == quotedPath(file) + " cannot be written: Permission denied";
        }
    });
    EXPECT_EQ(read(file), "kept");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

#ifndef _WIN32
// A file the user may write, in a folder where no new file can be made to take its place (a
// folder's permissions bind no one on Windows).
TEST(FileBytes, SaysWhenNoNewFileCanBeMadeBesideAFileThatMayBeWritten)
{
    TemporaryFolder folder;
    const fs::path locked = folder.path() / "locked";
    fs::create_directory(locked);
    const fs::path file = locked / "vesk.csv";
    replaceFileContents(file, "kept");
    fs::permissions(file, fs::perms::all);
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(locked, fs::perms::all & ~anyWrite);
    asOrdinaryUser(folder.path(), [&] {
        try {
            replaceFileContents(file, "lost");
            return false;
        } catch (const FileWriteError& error) {
            return std::string(error.what()) == quotedPath(file) +
                                                    " cannot be written: no new file can be made beside it to take "
                                                    "its place (Permission denied)";
        }
    });
    fs::permissions(locked, fs::perms::all);
    EXPECT_EQ(read(file), "kept");
    EXPECT_EQ(entriesIn(locked), 1u);
}
#endif

}  // namespace
