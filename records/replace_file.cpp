#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <limits>
#include <string>

#include "records/file_bytes.h"
#include "records/file_descriptor.h"
#include "records/temporary_names.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const fs::path& path, int error) { throw FileWriteError::cannotWrite(path, error); }

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

// The folder a file name stands in, "." for a bare name.
fs::path folderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Removes the temporary files that writes of the target by processes now gone left behind.
void clearDeadTemporaries(const fs::path& target)
{
    DIR* entries = ::opendir(folderOf(target).c_str());
    if (entries == nullptr) return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::uint64_t number = writerOf(entry->d_name, target);
        if (number == 0 || number > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) continue;
        const auto writer = static_cast<pid_t>(number);
        if (writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

// A fresh temporary name beside the target, not yet taken.
fs::path temporaryBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    return folderOf(target) / temporaryName(target, static_cast<std::uint64_t>(::getpid()), counter++);
}

// Writes every byte; gives 0, or the error that stopped it.
int writeAll(int fd, std::string_view bytes)
{
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

// A file without a name in the target's folder, mode 0666 less the umask as a file created in
// place would get; -1 where the file system cannot make one.
int unnamedFile(const fs::path& path, const fs::path& target, bool exists)
{
    const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return -1;
    throw FileWriteError::newFileNotMade(path, exists, errno);
}

// Gives the unnamed file a name: the target's, when it has none yet, else a temporary one. False
// when the system cannot link an unnamed file.
bool linkUnnamed(int fd, const fs::path& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

}  // namespace

fs::path replacedFile(const fs::path& path)
{
    std::error_code error;
    const fs::path whole = fs::absolute(resolvedTarget(path), error);
    const fs::path resolved = fs::weakly_canonical(whole, error);
    return error ? whole.lexically_normal() : resolved;
}

void replaceFileContents(const fs::path& path, std::string_view bytes, TemporaryFile temporary)
{
    const fs::path target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        throw FileWriteError(quotedPath(path) + " is not a regular file");
    // Renaming needs only the folder's permission; the file's own is checked here, as writing
    // it in place would.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) fail(path, errno);
    clearDeadTemporaries(target);

    int fd = temporary == TemporaryFile::Unnamed ? unnamedFile(path, target, exists) : -1;
    const bool unnamed = fd >= 0;
    fs::path named;
    if (!unnamed) {
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            named = temporaryBeside(target);
            fd = ::open(named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) throw FileWriteError::newFileNotMade(path, exists, errno);
        }
        if (fd < 0) throw FileWriteError::newFileNotMade(path, exists, EEXIST);
    }
    FileDescriptor file(fd);
    // A named temporary goes again when anything fails.
    const auto discard = [&](int error) {
        if (!named.empty()) ::unlink(named.c_str());
        fail(path, error);
    };
    if (exists) ::fchmod(file.get(), existing.st_mode & 07777);
    if (const int error = writeAll(file.get(), bytes)) discard(error);
    if (::fsync(file.get()) != 0) discard(errno);

    if (unnamed) {
        // A file that does not exist yet gets the new one under its own name in one step.
        if (!exists && linkUnnamed(file.get(), target)) {
            if (file.close() != 0) discard(errno);
            return;
        }
        named = temporaryBeside(target);
        if (!linkUnnamed(file.get(), named)) {
            named.clear();
            // The system gives unnamed files no name after all: the bytes go the named way.
            return replaceFileContents(path, bytes, TemporaryFile::Named);
        }
    }
    if (file.close() != 0) discard(errno);
    if (::rename(named.c_str(), target.c_str()) != 0) discard(errno);
}
