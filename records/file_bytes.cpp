#include "records/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <system_error>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { if (fd_ >= 0) ::close(fd_); }

    int get() const { return fd_; }
    // Closing can report a write error of its own (a full disk on a network file system).
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

namespace fs = std::filesystem;

[[noreturn]] void fail(const fs::path& path, int error, bool leftIncomplete = false)
{
    throw FileWriteError(path, error, leftIncomplete);
}

// The file at the end of the path's chain of symbolic links (the path itself when it is none),
// whether that file exists or not.
fs::path resolvedTarget(const fs::path& path)
{
    constexpr int mostLinks = 40;  // as the system's own limit, ELOOP beyond it
    fs::path target = path;
    std::error_code error;
    for (int links = 0; fs::is_symlink(fs::symlink_status(target, error)); ++links) {
        if (links == mostLinks) fail(path, ELOOP);
        const fs::path next = fs::read_symlink(target, error);
        if (error) fail(path, error.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

void writeAll(int fd, std::string_view bytes, const std::function<void(int)>& onError)
{
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            onError(errno);
        }
        if (written == 0) onError(EIO);
        next += written;
        left -= static_cast<std::size_t>(written);
    }
}

// A device or a pipe is written where it is: there is nothing to rename over it.
void writeInPlace(const fs::path& path, const fs::path& target, std::string_view bytes)
{
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (file.get() < 0) fail(path, errno);
    writeAll(file.get(), bytes, [&](int error) { fail(path, error, true); });
    if (file.close() != 0) fail(path, errno, true);
}

}  // namespace

FileWriteError::FileWriteError(const std::filesystem::path& path, int error, bool leftIncomplete)
    : std::runtime_error("cannot write " + path.string() + ": " + std::strerror(error)),
      error_(error),
      leftIncomplete_(leftIncomplete)
{
}

std::optional<std::string> readFileBytes(const std::filesystem::path& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    // Read straight into the text, to the end whatever the size said: the file may grow or
    // shrink meanwhile.
    constexpr std::size_t growth = 65536;
    struct stat status {};
    std::size_t expected = 0;
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        expected = static_cast<std::size_t>(status.st_size);
    std::string bytes(expected + 1, '\0');  // one byte more, to meet the end at once
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + growth);
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;  // a folder, or a read error
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    const fs::path target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) fail(path, EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) return writeInPlace(path, target, bytes);
    // Renaming needs only the folder's permission; the file's own is checked here, as writing
    // it in place would.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) fail(path, errno);

    // A name of our own beside the file, on the same file system, so the rename below is one
    // step that either keeps the old file whole or puts the new one in its place.
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.parent_path();
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += '.';
        name += std::to_string(::getpid());
        name += '.';
        name += std::to_string(counter++);
        name += ".tmp";
        temporary = folder / name;
        // Mode 0666 less the umask, as a file created in place would get.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) fail(path, errno);
    }
    if (fd < 0) fail(path, EEXIST);
    FileDescriptor file(fd);

    const auto discard = [&](int error) {
        ::unlink(temporary.c_str());
        fail(path, error);
    };
    if (exists) ::fchmod(file.get(), existing.st_mode & 07777);
    writeAll(file.get(), bytes, discard);
    if (::fsync(file.get()) != 0) discard(errno);
    if (file.close() != 0) discard(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) discard(errno);
}
