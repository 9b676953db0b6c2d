#include "document/directory_read_ahead.h"

#include <system_error>

DirectoryReadAhead::FileStamp DirectoryReadAhead::stampOf(const std::filesystem::path& file)
{
    std::error_code error;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(file, error);
    if (error) return {};
    stamp.written = std::filesystem::last_write_time(file, error);
    if (error) return {};
    stamp.exists = true;
    return stamp;
}

void DirectoryReadAhead::start(const ViewerFiles& files)
{
    // Taken before the reading, so that a file written while it is read counts as changed.
    Reading reading{files, stampOf(files.directory), stampOf(files.outline)};
    try {
        load_ = std::async(std::launch::async, loadViewerDatabase, files);
    } catch (const std::system_error&) {
        return;
    }
    reading_ = std::move(reading);
}

std::optional<ViewerLoad> DirectoryReadAhead::take(const ViewerFiles& files)
{
    if (!reading_) return std::nullopt;
    const Reading reading = std::move(*reading_);
    reading_.reset();
    ViewerLoad load = load_.get();
    const bool current = reading.files.directory == files.directory && reading.files.outline == files.outline &&
                         reading.directory == stampOf(files.directory) && reading.outline == stampOf(files.outline);
    if (!current) return std::nullopt;
    return load;
}
