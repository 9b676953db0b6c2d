// Replacing a file on Windows: the new contents are written to a temporary file beside the
// target and put in its place by the system's own ReplaceFileW, which keeps its attributes,
// security and creation time. Windows has no files without names, so the temporary is named, and
// the next write clears away those of writers no longer running. Symbolic links are not followed.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <limits>
#include <string>

#include "records/file_bytes.h"
#include "records/temporary_names.h"
#include "records/windows_files.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const fs::path& path, int error) { throw FileWriteError::cannotWrite(path, error); }

[[noreturn]] void failWithSystemError(const fs::path& path) { fail(path, errnoOf(::GetLastError())); }

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

fs::path folderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

bool isRunning(std::uint64_t process)
{
    const HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(handle, &code) != 0 && code == STILL_ACTIVE;
    ::CloseHandle(handle);
    return running;
}

// Removes the temporary files that writes of the target by processes now gone left behind.
void clearDeadTemporaries(const fs::path& target)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folderOf(target), error)) {
        const std::uint64_t writer = writerOf(entry.path().filename().string(), target);
        if (writer == 0 || writer > std::numeric_limits<DWORD>::max()) continue;
        if (writer != ::GetCurrentProcessId() && !isRunning(writer))
            ::DeleteFileW(entry.path().c_str());
    }
}

// A new file of our own beside the target, on the same volume, so that the replace below is one
// step that either keeps the old file whole or puts the new one in its place. It has the target's
// attributes from the start, as not every ReplaceFileW (Wine's) copies them.
std::pair<fs::path, HANDLE> createTemporaryBeside(const fs::path& target, DWORD attributes, bool exists)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temporary = folderOf(target) / temporaryName(target, ::GetCurrentProcessId(), counter++);
        const HANDLE made = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (made != INVALID_HANDLE_VALUE) return {temporary, made};
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            throw FileWriteError::newFileNotMade(target, exists, errnoOf(error));
    }
    throw FileWriteError::newFileNotMade(target, exists, EEXIST);
}

// Puts the temporary file in the place of an existing target, keeping the target's attributes.
// The names go to ReplaceFileW whole: Wine's finds no folder in a bare file name such as "vesk.dat".
bool replaceExisting(const fs::path& target, const fs::path& temporary)
{
    if (::ReplaceFileW(fs::absolute(target).c_str(), fs::absolute(temporary).c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0)
        return true;
    // The old file is gone already and only the rename is left to do.
    return ::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
           ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

fs::path replacedFile(const fs::path& path)
{
    // A file is replaced where it is named: a symbolic link is replaced, not followed.
    std::error_code error;
    const fs::path whole = fs::absolute(path, error);
    const fs::path resolved = fs::weakly_canonical(whole, error);
    return error ? whole.lexically_normal() : resolved;
}

void replaceFileContents(const fs::path& path, std::string_view bytes, TemporaryFile)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && ::GetLastError() != ERROR_FILE_NOT_FOUND) failWithSystemError(path);
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        throw FileWriteError(quotedPath(path) + " is not a regular file");
    if (exists) {
        // Opening it for writing checks what replacing it would not: a read-only file and one the
        // user may not write are refused, and so is a device under a file's name.
        Handle existing(::CreateFileW(path.c_str(), GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing.isOpen()) failWithSystemError(path);
        if (::GetFileType(existing.get()) != FILE_TYPE_DISK)
            throw FileWriteError(quotedPath(path) + " is not a regular file");
    }
    clearDeadTemporaries(path);

    constexpr DWORD keptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                                     | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD newAttributes = exists && (attributes & keptAttributes) != 0 ? attributes & keptAttributes
                                                                             : FILE_ATTRIBUTE_NORMAL;
    auto [temporary, handle] = createTemporaryBeside(path, newAttributes, exists);
    Handle file(handle);
    const auto discard = [&] {
        const DWORD error = ::GetLastError();
        if (file.isOpen()) file.close();
        ::DeleteFileW(temporary.c_str());
        fail(path, errnoOf(error));
    };
    if (!writeAll(file.get(), bytes)) discard();
    if (::FlushFileBuffers(file.get()) == 0) discard();
    if (!file.close()) discard();
    const bool replaced = exists ? replaceExisting(path, temporary)
                                 : ::MoveFileExW(temporary.c_str(), path.c_str(),
                                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) discard();
}
