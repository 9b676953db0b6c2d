// Files on Windows: wide-character paths throughout, so any name the user types opens, and the
// target replaced by the system's own ReplaceFileW, which keeps its attributes, security and
// creation time. Symbolic links are not followed here.
#include "records/file_bytes.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

namespace fs = std::filesystem;

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { if (isOpen()) ::CloseHandle(handle_); }

    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closing can report a write error of its own (a full disk on a network share).
    bool close()
    {
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The C library's number for a system error, so that callers test one kind of number everywhere.
int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME: return EINVAL;
    default: return EIO;
    }
}

[[noreturn]] void fail(const fs::path& path, int error, bool leftIncomplete = false)
{
    throw FileWriteError(path, error, leftIncomplete);
}

[[noreturn]] void failWithSystemError(const fs::path& path, bool leftIncomplete = false)
{
    fail(path, errnoOf(::GetLastError()), leftIncomplete);
}

constexpr std::size_t mostAtOnce = 1 << 30;  // ReadFile and WriteFile take 32-bit counts

// False, with the system's error left to read, when a write fails or writes nothing.
bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto size = static_cast<DWORD>(std::min(bytes.size(), mostAtOnce));
        DWORD written = 0;
        if (::WriteFile(file, bytes.data(), size, &written, nullptr) == 0) return false;
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct TemporaryFile {
    fs::path path;
    HANDLE handle;
};

// A new file of our own beside the target, on the same volume, so that the replace below is one
// step that either keeps the old file whole or puts the new one in its place. It has the target's
// attributes from the start, as not every ReplaceFileW (Wine's) copies them.
TemporaryFile createTemporaryBeside(const fs::path& path, DWORD attributes)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = L".";
        name += path.filename().native();
        name += L'.';
        name += std::to_wstring(::GetCurrentProcessId());
        name += L'.';
        name += std::to_wstring(counter++);
        name += L".tmp";
        const fs::path temporary = path.parent_path() / name;
        const HANDLE made = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          attributes, nullptr);
        if (made != INVALID_HANDLE_VALUE) return {temporary, made};
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) fail(path, errnoOf(error));
    }
    fail(path, EEXIST);
}

// Puts the temporary file in the place of an existing target, keeping the target's attributes.
bool replaceExisting(const fs::path& target, const fs::path& temporary)
{
    if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                       nullptr, nullptr) != 0)
        return true;
    // The old file is gone already and only the rename is left to do.
    return ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
           ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
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
    // A folder cannot be opened this way, which makes it unreadable as the other platforms have it.
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) {
        errno = errnoOf(::GetLastError());  // as open() leaves it, for the caller's message
        return std::nullopt;
    }
    // Read straight into the text, to the end whatever the size said: the file may grow or
    // shrink meanwhile.
    constexpr std::size_t growth = 65536;
    LARGE_INTEGER size{};
    std::size_t expected = 0;
    if (::GetFileType(file.get()) == FILE_TYPE_DISK && ::GetFileSizeEx(file.get(), &size) != 0)
        expected = static_cast<std::size_t>(size.QuadPart);
    std::string bytes(expected + 1, '\0');  // one byte more, to meet the end at once
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() + growth);
        const auto wanted = static_cast<DWORD>(std::min(bytes.size() - filled, mostAtOnce));
        DWORD got = 0;
        if (::ReadFile(file.get(), bytes.data() + filled, wanted, &got, nullptr) == 0) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_BROKEN_PIPE) break;  // the end of a pipe
            errno = errnoOf(error);
            return std::nullopt;
        }
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) failWithSystemError(path);
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) fail(path, EISDIR);
    if (exists) {
        // Opening it for writing checks what replacing it would not: a read-only file and one the
        // user may not write are refused. A device is written where it is: there is nothing to
        // put in its place.
        Handle existing(::CreateFileW(path.c_str(), GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing.isOpen()) failWithSystemError(path);
        if (::GetFileType(existing.get()) != FILE_TYPE_DISK) {
            if (!writeAll(existing.get(), bytes)) failWithSystemError(path, true);
            if (!existing.close()) failWithSystemError(path, true);
            return;
        }
    }

    constexpr DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                                     | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD newAttributes = exists && (attributes & keptAttributes) != 0 ? attributes & keptAttributes
                                                                             : FILE_ATTRIBUTE_NORMAL;
    const TemporaryFile temporary = createTemporaryBeside(path, newAttributes);
    Handle file(temporary.handle);
    const auto discard = [&] {
        const DWORD error = ::GetLastError();
        if (file.isOpen()) file.close();
        ::DeleteFileW(temporary.path.c_str());
        fail(path, errnoOf(error));
    };
    if (!writeAll(file.get(), bytes)) discard();
    if (::FlushFileBuffers(file.get()) == 0) discard();
    if (!file.close()) discard();
    const bool replaced = exists ? replaceExisting(path, temporary.path)
                                 : ::MoveFileExW(temporary.path.c_str(), path.c_str(),
                                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) discard();
}
