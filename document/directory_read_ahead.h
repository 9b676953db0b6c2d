#pragma once

#include <filesystem>
#include <future>
#include <optional>

#include "document/session.h"

// The directory and the outline read on a thread of their own while the window is being made,
// for the first load to take instead of reading them itself. What was read is taken only while
// both files are as they were when the reading began; a file written, made or removed since
// leaves the load to read it anew.
class DirectoryReadAhead {
public:
    // Begins reading; where no thread is to be had, nothing is read ahead.
    void start(const ViewerFiles& files);
    // What was read, once the reading is done, if it is of these files as they are now; each
    // reading is taken at most once.
    std::optional<ViewerLoad> take(const ViewerFiles& files);

private:
    // Whether a file was there, its size and when it was last written.
    struct FileStamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written;

        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };
    static FileStamp stampOf(const std::filesystem::path& file);

    struct Reading {
        ViewerFiles files;
        FileStamp directory;
        FileStamp outline;
    };
    std::optional<Reading> reading_;
    std::future<ViewerLoad> load_;
};
