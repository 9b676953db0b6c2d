#include <cerrno>
#include <cstring>

#include "records/file_bytes.h"

std::string quotedPath(const std::filesystem::path& path)
{
    std::string quoted = "\"";
    quoted += path.string();
    quoted += '"';
    return quoted;
}

FileReadError::FileReadError(Reason reason, const std::string& message) : std::runtime_error(message), reason_(reason)
{
}

FileReadError FileReadError::cannotRead(const std::filesystem::path& path, int error)
{
    if (error == ENOENT) return {Reason::Missing, quotedPath(path) + " does not exist"};
    return {Reason::Unreadable, quotedPath(path) + " cannot be read: " + std::strerror(error)};
}

FileReadError FileReadError::notRegularFile(const std::filesystem::path& path)
{
    return {Reason::NotRegularFile, quotedPath(path) + " is not a regular file"};
}

FileReadError FileReadError::tooLarge(const std::filesystem::path& path, const FileKind& kind, std::uint64_t size)
{
    return {Reason::TooLarge, quotedPath(path) + " is larger than any " + std::string(kind.name) + " can be (" +
                                  std::to_string(size) + " bytes, at most " + std::to_string(kind.largest) + ")"};
}
