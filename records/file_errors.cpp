#include <cerrno>
#include <cstring>

#include "records/file_bytes.h"
#include "records/windows1252.h"

std::string pathText(const std::filesystem::path& path)
{
    using Unit = std::filesystem::path::value_type;
    if constexpr (sizeof(Unit) == 1) {
        return utf8ToWindows1252(path.native());  // names are bytes here, written in UTF-8 nearly everywhere
    } else {
        // UTF-16: a character beyond its first plane, two units, is one character the code page lacks.
        std::string text;
        for (const Unit unit : path.native()) {
            const auto code = static_cast<char32_t>(unit);
            if (code >= 0xDC00 && code <= 0xDFFF) continue;
            const std::optional<unsigned char> byte = windows1252Byte(code);
            text += byte ? static_cast<char>(*byte) : '?';
        }
        return text;
    }
}

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
