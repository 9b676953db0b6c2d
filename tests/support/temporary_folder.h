#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "records/file_bytes.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        // create_directory makes the folder only when no one else has it already.
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path candidate = base / ("belfrix-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = candidate;
                return;
            }
        }
        throw std::filesystem::filesystem_error("cannot make a temporary folder", base,
                                                std::make_error_code(std::errc::file_exists));
    }
    ~TemporaryFolder()
    {
        // Windows removes no read-only file: every file is made writable first.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow,
                                         ignored);
        std::filesystem::remove_all(path_);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    // None when the file cannot be read.
    std::optional<std::string> read(const std::string& name) const
    {
        try {
            return readFileBytes(path_ / name, FileKind{"file", std::uint64_t{1} << 30});
        } catch (const FileReadError&) {
            return std::nullopt;
        }
    }

private:
    std::filesystem::path path_;
};
