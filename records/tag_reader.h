#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "records/little_endian.h"
#include "records/page_memory.h"

// Reads tagged items (see TagWriter) from bytes it holds. Past the end every item reads as the
// end marker 0xFF, so every loop over items stops; nothing is ever read out of bounds.
class TagReader {
public:
    static constexpr int endMarker = 127;

    explicit TagReader(PresentBytes bytes) : bytes_(std::move(bytes)) {}
    explicit TagReader(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}
    // Texts read are views of the bytes held: a copy would hand out views of its own.
    TagReader(const TagReader&) = delete;
    TagReader& operator=(const TagReader&) = delete;
    TagReader(TagReader&&) = default;
    TagReader& operator=(TagReader&&) = default;

    // Reads one item and returns its tag letter (0x60 to 0x7F; endMarker for 0xFF).
    int nextItem()
    {
        if (unread_) {
            unread_ = false;
            return tag_;
        }
        std::size_t at = offset_;
        const int tag = decodeAt(at);
        offset_ = at;
        return tag;
    }
    // Reads items, calling take(tag, value) for each as nextItem would read it (value() and text()
    // as they would be then), until an item of the stop tag or the end marker, which is left
    // unread; in a loop of its own, for the many items of a record.
    template <typename Take>
    void readItemsUntil(int stopTag, Take take);

    int tag() const { return tag_; }                      // the last item's, as nextItem gave it
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
    // Decodes the item at `at` into tag_, value_ and the text, moving `at` past it.
    int decodeAt(std::size_t& at)
    {
        value_ = 0;
        if (at == bytes_.size()) return ranOutAt(at);
        const auto* const payload = reinterpret_cast<const unsigned char*>(bytes_.data()) + at + 1;
        const std::size_t left = bytes_.size() - at - 1;
        const unsigned head = payload[-1];
        tag_ = 0x60 + static_cast<int>(head & 0x1F);
        // An item whose payload the end of the bytes cuts short is dropped: it reads as the end
        // marker, so no half-read number or text reaches a field.
        switch (head >> 5) {
        case 0:  // small
            if (left < 1) return ranOutAt(at);
            value_ = payload[0];
            at += 2;
            break;
        case 1:  // word
            if (left < 2) return ranOutAt(at);
            value_ = static_cast<std::int32_t>(littleEndianAt(payload, 2));
            at += 3;
            break;
        case 2:  // long, two's complement
            if (left < 4) return ranOutAt(at);
            value_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(littleEndianAt(payload, 4)));
            at += 5;
            break;
        case 3: {  // text up to its 0 byte, of any length
            const void* terminator = std::memchr(payload, 0, left);
            if (terminator == nullptr) return ranOutAt(at);
            textStart_ = at + 1;
            textLength_ = static_cast<std::size_t>(static_cast<const unsigned char*>(terminator) - payload);
            at = textStart_ + textLength_ + 1;
            break;
        }
        default:  // bare: no payload
            at += 1;
            break;
        }
        return tag_;
    }

    // What a read past the end gives: the end marker, `at` at the end.
    int ranOutAt(std::size_t& at)
    {
        ranOut_ = true;
        at = bytes_.size();
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

template <typename Take>
void TagReader::readItemsUntil(int stopTag, Take take)
{
    if (unread_) {
        if (tag_ == stopTag || tag_ == endMarker) return;
        unread_ = false;
        take(tag_, value_);
    }
    std::size_t at = offset_;
    while (at < bytes_.size()) {
        const int next = 0x60 + (bytes_[at] & 0x1F);
        if (next == stopTag || next == endMarker) break;
        if (decodeAt(at) == endMarker) break;  // cut short: `at` stands at the end
        take(tag_, value_);
    }
    if (at == bytes_.size()) ranOut_ = true;
    offset_ = at;
}
