// Replacing a file on Windows keeps what Windows keeps with a file: its attributes.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "records/file_bytes.h"
#include "tests/support/temporary_folder.h"

namespace fs = std::filesystem;

namespace {

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileBytesOnWindows, ReplacingKeepsTheFilesAttributes)
{
    TemporaryFolder folder;
    const fs::path file = folder / "vesk.dat";
    replaceFileContents(file, "first");
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_NE(::SetFileAttributesW(file.c_str(), kept), 0);
    replaceFileContents(file, "second");
    EXPECT_EQ(readFileBytes(file, FileKind{"file", 100}), "second");
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & kept, kept);
    EXPECT_EQ(entriesIn(folder.path()), 1u);  // no temporary file left behind

    // By its bare name in the current folder, as veskcomp names it.
    const fs::path current = fs::current_path();
    fs::current_path(folder.path());
    EXPECT_NO_THROW(replaceFileContents("vesk.dat", "third"));
    fs::current_path(current);
    EXPECT_EQ(readFileBytes(file, FileKind{"file", 100}), "third");
}

TEST(FileBytesOnWindows, ADeviceUnderAFilesNameIsRefused)
{
    try {
        replaceFileContents("NUL", "nothing kept");
        FAIL() << "NUL was written";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "\"NUL\" is not a regular file");
    }
}

}  // namespace
