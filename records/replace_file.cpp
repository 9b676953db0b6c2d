#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <string>

#include "records/file_bytes.h"
#include "records/file_descriptor.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const fs::path& path, int error)
{
    throw FileWriteError(quotedPath(path) + " cannot be written: " + std::strerror(error));
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

// The folder a file name stands in, "." for a bare name.
fs::path folderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// A temporary name is ".NAME.PID.N.tmp", with NAME cut short so that the whole stays within the
// longest name a folder takes: a file whose own name is near that limit can still be written.
constexpr std::size_t longestName = NAME_MAX;
constexpr std::string_view temporarySuffix = ".tmp";
constexpr std::size_t longestNumber = 10;  // digits of a 32-bit pid or counter

std::string temporaryPrefix(const fs::path& target)
{
    const std::string name = target.filename().string();
    const std::size_t room = longestName - 3 - 2 * longestNumber - temporarySuffix.size();
    return "." + name.substr(0, room) + ".";
}

// The pid in a temporary name of ours for the target, or 0 when the name is none of ours.
pid_t writerOf(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || !name.ends_with(temporarySuffix)) return 0;
    name.remove_prefix(prefix.size());
    name.remove_suffix(temporarySuffix.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, pid);
    if (error != std::errc() || end != name.data() + dot || pid <= 0) return 0;
    const std::string_view counter = name.substr(dot + 1);
    if (counter.empty() || counter.find_first_not_of("0123456789") != std::string_view::npos) return 0;
    return pid;
}

// Removes the temporary files that writes of the target by processes now gone left behind.
void clearDeadTemporaries(const fs::path& target)
{
    const fs::path folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) return;
    while (const dirent* entry = ::readdir(entries)) {
        const pid_t writer = writerOf(entry->d_name, prefix);
        if (writer != 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

// A fresh temporary name beside the target, not yet taken.
fs::path temporaryName(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    return folderOf(target) /
           (temporaryPrefix(target) + std::to_string(::getpid()) + "." + std::to_string(counter++) +
            std::string(temporarySuffix));
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
int unnamedFile(const fs::path& path, const fs::path& target)
{
    const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return -1;
    fail(path, errno);
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

    int fd = temporary == TemporaryFile::Unnamed ? unnamedFile(path, target) : -1;
    const bool unnamed = fd >= 0;
    fs::path named;
    if (!unnamed) {
        for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
            named = temporaryName(target);
            fd = ::open(named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) fail(path, errno);
        }
        if (fd < 0) fail(path, EEXIST);
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
        named = temporaryName(target);
        if (!linkUnnamed(file.get(), named)) {
            named.clear();
            // The system gives unnamed files no name after all: the bytes go the named way.
            return replaceFileContents(path, bytes, TemporaryFile::Named);
        }
    }
    if (file.close() != 0) discard(errno);
    if (::rename(named.c_str(), target.c_str()) != 0) discard(errno);
}
