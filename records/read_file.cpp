#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/file_bytes.h"
#include "records/file_descriptor.h"

namespace {

// Bytes is std::string or PresentBytes.
template <typename Bytes>
Bytes readWhole(const std::filesystem::path& path, const FileKind& kind)
{
    // Looked at before it is opened: opening a pipe would wait for a writer, and opening a device
    // can do more than read it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) throw FileReadError::cannotRead(path, errno);
    if (!S_ISREG(status.st_mode)) throw FileReadError::notRegularFile(path);
    // Without blocking, should the name have become a pipe meanwhile.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) throw FileReadError::cannotRead(path, errno);
    if (::fstat(file.get(), &status) != 0) throw FileReadError::cannotRead(path, errno);
    if (!S_ISREG(status.st_mode)) throw FileReadError::notRegularFile(path);
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > kind.largest) throw FileReadError::tooLarge(path, kind, size);

    // Read to the end whatever the size said, as the file may grow or shrink meanwhile, but never
    // past the largest size of its kind.
    constexpr std::size_t growth = 65536;
    Bytes bytes;
    bytes.resize(static_cast<std::size_t>(size) + 1);  // one byte more, to meet the end at once
    std::size_t filled = 0;
    for (;;) {
        if (filled > kind.largest) throw FileReadError::tooLarge(path, kind, filled);
        if (filled == bytes.size()) bytes.resize(bytes.size() + growth);
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            throw FileReadError::cannotRead(path, errno);
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
