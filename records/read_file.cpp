#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/file_bytes.h"
#include "records/file_descriptor.h"

namespace {

std::string notRegular(const std::filesystem::path& path)
{
    return quotedPath(path) + " is not a regular file";
}

[[noreturn]] void failToRead(const std::filesystem::path& path, int error)
{
    if (error == ENOENT)
        throw FileReadError(path, FileReadError::Reason::Missing, quotedPath(path) + " does not exist");
    throw FileReadError(path, FileReadError::Reason::Unreadable,
                        quotedPath(path) + " cannot be read: " + std::strerror(error));
}

[[noreturn]] void tooLarge(const std::filesystem::path& path, const FileKind& kind, std::uint64_t size)
{
    throw FileReadError(path, FileReadError::Reason::TooLarge,
                        quotedPath(path) + " is larger than any " + std::string(kind.name) + " can be (" +
                            std::to_string(size) + " bytes, at most " + std::to_string(kind.largest) + ")");
}

// Bytes is std::string or PresentBytes.
template <typename Bytes>
Bytes readWhole(const std::filesystem::path& path, const FileKind& kind)
{
    // Looked at before it is opened: opening a pipe would wait for a writer, and opening a device
    // can do more than read it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) failToRead(path, errno);
    if (!S_ISREG(status.st_mode))
        throw FileReadError(path, FileReadError::Reason::NotRegularFile, notRegular(path));
    // Without blocking, should the name have become a pipe meanwhile.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) failToRead(path, errno);
    if (::fstat(file.get(), &status) != 0) failToRead(path, errno);
    if (!S_ISREG(status.st_mode))
        throw FileReadError(path, FileReadError::Reason::NotRegularFile, notRegular(path));
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > kind.largest) tooLarge(path, kind, size);

    // Read to the end whatever the size said, as the file may grow or shrink meanwhile, but never
    // past the largest size of its kind.
    constexpr std::size_t growth = 65536;
    Bytes bytes;
    bytes.resize(static_cast<std::size_t>(size) + 1);  // one byte more, to meet the end at once
    std::size_t filled = 0;
    for (;;) {
        if (filled > kind.largest) tooLarge(path, kind, filled);
        if (filled == bytes.size()) bytes.resize(bytes.size() + growth);
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            failToRead(path, errno);
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path, const FileKind& kind)
{
    return readWhole<std::string>(path, kind);
}

PresentBytes readFilePresent(const std::filesystem::path& path, const FileKind& kind)
{
    return readWhole<PresentBytes>(path, kind);
}
