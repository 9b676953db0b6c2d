#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "records/page_memory.h"

// Reading a file from outside whole, and replacing a file only once its new contents are written.

// A kind of file the programs read: its name in messages, and a size no file of its kind can
// reach, so that an enormous file is refused before the memory runs out.
struct FileKind {
    std::string_view name;   // "compiled directory"
    std::uint64_t largest;   // bytes
};

// A file that could not be read; what() names it and says why: "\"vesk.dat\" does not exist",
// "... cannot be read: Permission denied", "... is not a regular file", "... is larger than any
// compiled directory can be (...)".
class FileReadError : public std::runtime_error {
public:
    enum class Reason { Missing, NotRegularFile, TooLarge, Unreadable };
    // A file that is not there, or cannot be read, by the system's error number (as errno).
    static FileReadError cannotRead(const std::filesystem::path& path, int error);
    static FileReadError notRegularFile(const std::filesystem::path& path);
    static FileReadError tooLarge(const std::filesystem::path& path, const FileKind& kind, std::uint64_t size);
    Reason reason() const { return reason_; }

private:
    FileReadError(Reason reason, const std::string& message);

    Reason reason_;
};

// The whole file as bytes. Only a regular file is read: a folder, a pipe, a device or a socket
// is refused at once, without waiting on it, and so is a file larger than any of its kind.
// Throws FileReadError.
std::string readFileBytes(const std::filesystem::path& path, const FileKind& kind);
// The same, read into present pages: for a large file kept for the whole run.
PresentBytes readFilePresent(const std::filesystem::path& path, const FileKind& kind);

// A file that could not be written. The message names the file and says why: "\"a.bx0\" cannot
// be written: No space left on device", "... is not a regular file".
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // The system's reason, from errno.
    static FileWriteError cannotWrite(const std::filesystem::path& path, int error);
    // The new file that was to take the place of the path's could not be made beside it. Where
    // a file is there already, the system's reason is said as the new file's, not that one's.
    static FileWriteError newFileNotMade(const std::filesystem::path& path, bool fileThere, int error);
};

// How the new contents wait until they replace the file: in a file without a name, which no
// interrupted write can leave behind, where the file system allows one; otherwise in a
// temporary file named after the target and the writing process, cleared away by the next
// write once that process is gone.
enum class TemporaryFile { Unnamed, Named };

// Writes the bytes beside the target, flushes them to the disk, then puts them in its place in
// one step, so a failed or interrupted write leaves the earlier file as it was. A symbolic link
// is followed: the file it names is replaced and the link stays. The target keeps its permission
// bits; a hard link to it is not kept (the name written to gets the new file). A target the user
// may not write, or that is no regular file (a folder, a pipe, a device), is refused. Throws
// FileWriteError.
void replaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         TemporaryFile temporary = TemporaryFile::Unnamed);
// The file that replaceFileContents writes for the path, whether it is there yet or not, named
// whole: the end of the path's symbolic links where the system follows them, with every link and
// "." or ".." of its folders resolved as far as they stand. Throws FileWriteError for a chain of
// links that never ends.
std::filesystem::path replacedFile(const std::filesystem::path& path);

// How messages name a file: the path in Windows-1252, as every message's text is, a character
// the code page lacks shown as '?'; quotedPath within double quotes.
std::string pathText(const std::filesystem::path& path);
std::string quotedPath(const std::filesystem::path& path);
