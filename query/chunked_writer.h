#pragma once

#include <ostream>
#include <string>

// Text built line by line and written onto a stream in chunks of about 64 KiB: building a whole
// export first would take as much memory again, writing each line alone a call a line.
class ChunkedWriter {
public:
    explicit ChunkedWriter(std::ostream& out) : out_(out) { text_.reserve(chunk + 4096); }
    ChunkedWriter(const ChunkedWriter&) = delete;
    ChunkedWriter& operator=(const ChunkedWriter&) = delete;
    ~ChunkedWriter() { flush(); }

    // The text being built; lines are added onto its end.
    std::string& text() { return text_; }
    // After each line: writes what has been built once a chunk is full.
    void lineDone()
    {
        if (text_.size() >= chunk) flush();
    }
    void flush()
    {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

private:
    static constexpr std::size_t chunk = 1 << 16;

    std::ostream& out_;
    std::string text_;
};
