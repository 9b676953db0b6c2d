#pragma once

#include <cstdint>
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

    // The cursor views the bytes this reader holds, so a moved reader reads on from where the
    // other stood.
    TagReader(TagReader&& other) noexcept;
    TagReader& operator=(TagReader&& other) noexcept;
    TagReader(const TagReader&) = delete;
    TagReader& operator=(const TagReader&) = delete;

    // Reads one item and returns its tag letter (0x60 to 0x7F; endMarker for 0xFF).
    int nextItem();
    std::int32_t value() const { return value_; }       // 0 when the item carried no number
    // The most recent text item's, a view of the bytes this reader holds.
    std::string_view text() const { return std::string_view(bytes_).substr(textStart_, textLength_); }
    void unread() { unread_ = true; }                    // one level deep

    // Two bytes, first + 256 * second, outside the item format; none once the bytes run out.
    std::optional<std::uint16_t> readWord();
    std::size_t remaining() const { return cursor_.remaining(); }
    std::size_t size() const { return bytes_.size(); }
    // A read asked for more bytes than were left: the bytes ended before what they describe.
    bool ranOut() const { return ranOut_; }

private:
    std::string bytes_;
    ByteCursor cursor_;
    bool ranOut_ = false;
    int tag_ = 0;
    std::int32_t value_ = 0;
    std::size_t textStart_ = 0;
    std::size_t textLength_ = 0;
    bool unread_ = false;
};
