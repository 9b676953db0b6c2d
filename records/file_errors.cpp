#include <cerrno>
#include <cstring>

#include "records/file_bytes.h"
#include "records/windows1252.h"

namespace {

#ifndef _WIN32
// A name in bytes, as POSIX systems keep them: UTF-8 nearly everywhere.
std::string windows1252Of(const std::string& name) { return utf8ToWindows1252(name); }
#else
// A name in UTF-16, as Windows keeps them: a character beyond its first plane, two units, is one
// character the code page lacks.
std::string windows1252Of(const std::wstring& name)
{
    std::string text;
    for (const wchar_t unit : name) {
        const auto code = static_cast<char32_t>(unit);
        if (code >= 0xDC00 && code <= 0xDFFF) continue;
        const std::optional<unsigned char> byte = windows1252Byte(code);
        text += byte ? static_cast<char>(*byte) : '?';
    }
    return text;
}
#endif

}  // namespace

std::string pathText(const std::filesystem::path& path) { return windows1252Of(path.native()); }

std::string quotedPath(const std::filesystem::path& path) { return '"' + pathText(path) + '"'; }

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

FileWriteError FileWriteError::cannotWrite(const std::filesystem::path& path, int error)
{
    return FileWriteError(quotedPath(path) + " cannot be written: " + std::strerror(error));
}

FileWriteError FileWriteError::newFileNotMade(const std::filesystem::path& path, bool fileThere, int error)
{
    if (!fileThere) return cannotWrite(path, error);
    return FileWriteError(quotedPath(path) +
                          " cannot be written: no new file can be made beside it to take its place (" +
                          std::strerror(error) + ")");
}
