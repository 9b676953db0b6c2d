#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "records/byte_cursor.h"

// Reads tagged items (see TagWriter) from bytes it holds. Past the end every item reads as the
// end marker 0xFF, so every loop over items stops; nothing is ever read out of bounds.
class TagReader {
public:
    static constexpr int endMarker = 127;

    explicit TagReader(std::string bytes);
    // A file that cannot be read gives a reader that is not open and holds no bytes.
    static TagReader fromFile(const std::filesystem::path& path);

    // The cursor views the bytes this reader holds, so a moved reader reads on from where the
    // other stood.
    TagReader(TagReader&& other) noexcept;
    TagReader& operator=(TagReader&& other) noexcept;
    TagReader(const TagReader&) = delete;
    TagReader& operator=(const TagReader&) = delete;

    bool isOpen() const { return open_; }

    // Reads one item and returns its tag letter (0x60 to 0x7F; endMarker for 0xFF).
    int nextItem();
    std::int32_t value() const { return value_; }       // 0 when the item carried no number
    // The most recent text item's, a view of the bytes this reader holds.
    std::string_view text() const { return std::string_view(bytes_).substr(textStart_, textLength_); }
    void unread() { unread_ = true; }                    // one level deep

    // Two bytes, first + 256 * second, outside the item format; none once the bytes run out.
    std::optional<std::uint16_t> readWord();
    std::size_t remaining() const { return cursor_.remaining(); }

private:
    std::string bytes_;
    ByteCursor cursor_;
    bool open_ = true;
    int tag_ = 0;
    std::int32_t value_ = 0;
    std::size_t textStart_ = 0;
    std::size_t textLength_ = 0;
    bool unread_ = false;
};
