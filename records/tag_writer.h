#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "records/byte_scan.h"
#include "records/little_endian.h"
#include "records/page_memory.h"

// The tagged items of the compiled data file. Each item is a head byte (bits 4-0 the tag number,
// letter = 0x60 + number; bits 7-5 the form) and its payload.
//
// Writes items one after the other into room made for them beforehand.
class ItemCursor {
public:
    explicit ItemCursor(char* at) : at_(at) {}

    // Most bytes a number item takes.
    static constexpr std::size_t mostNumberBytes = 5;
    // Most bytes a text item takes.
    static std::size_t mostTextBytes(std::string_view text) { return text.size() + 2; }

    // 0 is left out; 1-255 small form, 256-65535 word form, anything else long form.
    void putNumber(char tag, std::int32_t value)
    {
        if (value == 0) return;
        const auto bits = static_cast<std::uint32_t>(value);  // two's complement for the long form
        const unsigned form = bits <= 0xFF ? smallForm : bits <= 0xFFFF ? wordForm : longForm;
        const std::size_t payload = form == smallForm ? 1 : form == wordForm ? 2 : 4;
        // All four bytes of the number are written, little end first; the item takes its payload's.
        at_[0] = static_cast<char>(form | tagNumber(tag));
        putLittleEndianAt(at_ + 1, bits, 4);
        at_ += 1 + payload;
    }
    // The empty text is left out; otherwise the bytes and a terminating 0 byte.
    void putText(char tag, std::string_view text)
    {
        // The file ends a text at its first 0 byte; writing the bytes after one would turn them
        // into stray items for the reader, so a text is written only up to it.
        text = text.substr(0, firstByteOf(text, '\0'));
        if (text.empty()) return;
        at_[0] = static_cast<char>(textForm | tagNumber(tag));
        std::memcpy(at_ + 1, text.data(), text.size());
        at_[1 + text.size()] = '\0';
        at_ += text.size() + 2;
    }

    // Just after the last item written.
    char* end() const { return at_; }

private:
    // Bits 7-5 of a head byte.
    static constexpr unsigned smallForm = 0x00;
    static constexpr unsigned wordForm = 0x20;
    static constexpr unsigned longForm = 0x40;
    static constexpr unsigned textForm = 0x60;

    static unsigned tagNumber(char tag) { return static_cast<unsigned char>(tag) & 0x1Fu; }

    char* at_;
};

// Writes the items of a file into memory.
class TagWriter {
public:
    // The items that write(ItemCursor&) puts, taking at most `most` bytes.
    template <class Write>
    void putRecord(std::size_t most, Write write)
    {
        ItemCursor items(room(most));
        write(items);
        filled_ = static_cast<std::size_t>(items.end() - bytes_.data());
    }
    void putNumber(char tag, std::int32_t value)
    {
        putRecord(ItemCursor::mostNumberBytes, [&](ItemCursor& items) { items.putNumber(tag, value); });
    }
    void putText(char tag, std::string_view text)
    {
        putRecord(ItemCursor::mostTextBytes(text), [&](ItemCursor& items) { items.putText(tag, text); });
    }
    // Items written by another writer, as they stand.
    void putItems(std::string_view items)
    {
        if (items.empty()) return;
        std::memcpy(room(items.size()), items.data(), items.size());
        filled_ += items.size();
    }
    void putEnd()
    {
        *room(1) = static_cast<char>(0xFF);
        ++filled_;
    }

    // Room made at once, in present pages.
    void reserve(std::size_t size);
    std::string_view bytes() const { return {bytes_.data(), filled_}; }

private:
    // Room for count more bytes after those filled, for the caller to write and count.
    char* room(std::size_t count)
    {
        if (bytes_.size() - filled_ < count) reserve(2 * (filled_ + count));
        return bytes_.data() + filled_;
    }

    PresentBytes bytes_;  // all of it writable; the first filled_ bytes written
    std::size_t filled_ = 0;
};
