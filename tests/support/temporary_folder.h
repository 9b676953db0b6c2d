#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "records/file_bytes.h"

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "belfrix-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::filesystem::filesystem_error(
            "cannot make a temporary folder", pattern, std::error_code(errno, std::generic_category()));
        path_ = pattern;
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
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
