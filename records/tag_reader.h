#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "records/page_memory.h"

// Reads tagged items (see TagWriter) from bytes it holds. Past the end every item reads as the
// end marker 0xFF, so every loop over items stops; nothing is ever read out of bounds.
class TagReader {
public:
    static constexpr int endMarker = 127;

    explicit TagReader(PresentBytes bytes) : bytes_(std::move(bytes)) {}
    explicit TagReader(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}

    // Reads one item and returns its tag letter (0x60 to 0x7F; endMarker for 0xFF).
    int nextItem()
    {
        if (unread_) {
            unread_ = false;
            return tag_;
        }
        value_ = 0;
        if (offset_ == bytes_.size()) return ranOutAt();
        const auto* at = reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
        const std::size_t left = bytes_.size() - offset_ - 1;
        const unsigned head = *at++;
        tag_ = 0x60 + static_cast<int>(head & 0x1F);
        // An item whose payload the end of the bytes cuts short is dropped: it reads as the end
        // marker, so no half-read number or text reaches a field.
        switch (head >> 5) {
        case 0:  // small
            if (left < 1) return ranOutAt();
            value_ = at[0];
            offset_ += 2;
            break;
        case 1:  // word
            if (left < 2) return ranOutAt();
            value_ = at[0] | at[1] << 8;
            offset_ += 3;
            break;
        case 2:  // long, two's complement
            if (left < 4) return ranOutAt();
            value_ = static_cast<std::int32_t>(std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 |
                                               std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24);
            offset_ += 5;
            break;
        case 3: {  // text up to its 0 byte, of any length
            const void* terminator = std::memchr(at, 0, left);
            if (terminator == nullptr) return ranOutAt();
            textStart_ = offset_ + 1;
            textLength_ = static_cast<std::size_t>(static_cast<const unsigned char*>(terminator) - at);
            offset_ = textStart_ + textLength_ + 1;
            break;
        }
        default:  // bare: no payload
            offset_ += 1;
            break;
        }
        return tag_;
    }
    std::int32_t value() const { return value_; }       // 0 when the item carried no number
    // The most recent text item's, a view of the bytes this reader holds: it stays valid when
    // the reader moves or gives its bytes away with takeBytes.
    std::string_view text() const { return {bytes_.data() + textStart_, textLength_}; }
    void unread() { unread_ = true; }                    // one level deep

    // Two bytes, first + 256 * second, outside the item format; none once the bytes run out.
    std::optional<std::uint16_t> readWord();
    std::size_t remaining() const { return bytes_.size() - offset_; }
    std::size_t size() const { return bytes_.size(); }
    // A read asked for more bytes than were left: the bytes ended before what they describe.
    bool ranOut() const { return ranOut_; }

    // The bytes, for whoever keeps views of their texts.
    PresentBytes takeBytes() && { return std::move(bytes_); }

private:
    // What a read past the end gives: the end marker, the reader standing at the end.
    int ranOutAt()
    {
        ranOut_ = true;
        offset_ = bytes_.size();
        return tag_ = endMarker;
    }

    PresentBytes bytes_;
    std::size_t offset_ = 0;
    bool ranOut_ = false;
    int tag_ = 0;
    std::int32_t value_ = 0;
    std::size_t textStart_ = 0;
    std::size_t textLength_ = 0;
    bool unread_ = false;
};
