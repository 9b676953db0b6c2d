#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The whole file as bytes; none when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// A file that could not be written. The message names the file and says why ("Permission
// denied" for one the user may not write).
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(const std::filesystem::path& path, int error, bool leftIncomplete);
    int error() const { return error_; }
    // Only a target that is no regular file (a device, a pipe) is written in place, and so can be
    // left part written; a regular file is either replaced whole or left as it was.
    bool leftIncomplete() const { return leftIncomplete_; }

private:
    int error_;
    bool leftIncomplete_;
};

// Writes the bytes to a temporary file beside the target, flushes it to the disk, then renames
// it over the target, so a failed or interrupted write leaves the earlier file as it was. A
// symbolic link is followed: the file it names is replaced and the link stays. The target keeps
// its permission bits; a hard link to it is not kept (the name written to gets the new file).
// A target the user may not write is refused. Throws FileWriteError.
void replaceFileContents(const std::filesystem::path& path, std::string_view bytes);
