// Reading a file on Windows: wide-character paths throughout, so any name the user types opens.
#include <algorithm>
#include <cerrno>

#include "records/file_bytes.h"
#include "records/windows_files.h"

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

namespace {

// Bytes is std::string or PresentBytes.
template <typename Bytes>
Bytes readWhole(const std::filesystem::path& path, const FileKind& kind)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw FileReadError::cannotRead(path, errnoOf(::GetLastError()));
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) throw FileReadError::notRegularFile(path);
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) throw FileReadError::cannotRead(path, errnoOf(::GetLastError()));
    // A device or a pipe under a file's name is no file of ours.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) throw FileReadError::notRegularFile(path);
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) == 0) throw FileReadError::cannotRead(path, errnoOf(::GetLastError()));
    const auto expected = static_cast<std::uint64_t>(size.QuadPart);
    if (expected > kind.largest) throw FileReadError::tooLarge(path, kind, expected);

    // Read to the end whatever the size said, as the file may grow or shrink meanwhile, but never
    // past the largest size of its kind.
    constexpr std::size_t growth = 65536;
    Bytes bytes;
    bytes.resize(static_cast<std::size_t>(expected) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled > kind.largest) throw FileReadError::tooLarge(path, kind, filled);
        if (filled == bytes.size()) bytes.resize(bytes.size() + growth);
        const auto wanted = static_cast<DWORD>(std::min(bytes.size() - filled, mostAtOnce));
        DWORD got = 0;
        if (::ReadFile(file.get(), bytes.data() + filled, wanted, &got, nullptr) == 0)
            throw FileReadError::cannotRead(path, errnoOf(::GetLastError()));
        if (got == 0) break;
        filled += got;
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
