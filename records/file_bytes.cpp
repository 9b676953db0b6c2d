#include "records/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

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

[[noreturn]] void fail(const std::filesystem::path& path, int error)
{
    throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(error));
}

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return std::nullopt;
    std::string bytes;
    struct stat status {};
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    // Read to the end whatever the size said: the file may grow or shrink meanwhile.
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;  // a folder, or a read error
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    // A name of our own beside the file, on the same file system, so the rename below is one
    // step that either keeps the old file whole or puts the new one in its place.
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = path.parent_path();
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = ".";
        name += path.filename().string();
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
    // A file that is being replaced keeps its permissions.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(file.get(), existing.st_mode & 07777);

    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(file.get(), next, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            discard(errno);
        }
        if (written == 0) discard(EIO);
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(file.get()) != 0) discard(errno);
    if (file.close() != 0) discard(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0) discard(errno);
}
