#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "records/little_endian.h"
#include "records/page_memory.h"

// Writes the tagged items of the compiled data file into memory. Each item is a head byte
// (bits 4-0 the tag number, letter = 0x60 + number; bits 7-5 the form) and its payload.
class TagWriter {
public:
    // 0 is left out; 1-255 small form, 256-65535 word form, anything else long form.
    void putNumber(char tag, std::int32_t value)
    {
        if (value == 0) return;
        const auto bits = static_cast<std::uint32_t>(value);  // two's complement for the long form
        const unsigned form = bits <= 0xFF ? smallForm : bits <= 0xFFFF ? wordForm : longForm;
        const std::size_t payload = form == smallForm ? 1 : form == wordForm ? 2 : 4;
        // All four bytes of the number are written, little end first; the item takes its payload's.
        char* const item = room(5);
        item[0] = static_cast<char>(form | tagNumber(tag));
        putLittleEndianAt(item + 1, bits, 4);
        filled_ += 1 + payload;
    }
    // The empty text is left out; otherwise the bytes and a terminating 0 byte.
    void putText(char tag, std::string_view text)
    {
        // The file ends a text at its first 0 byte; writing the bytes after one would turn them
        // into stray items for the reader, so a text is written only up to it.
        if (text.empty()) return;
        if (const void* zero = std::memchr(text.data(), '\0', text.size()))
            text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()));
        if (text.empty()) return;
        char* const item = room(text.size() + 2);
        item[0] = static_cast<char>(textForm | tagNumber(tag));
        std::memcpy(item + 1, text.data(), text.size());
        item[1 + text.size()] = '\0';
        filled_ += text.size() + 2;
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
    // Bits 7-5 of a head byte.
    static constexpr unsigned smallForm = 0x00;
    static constexpr unsigned wordForm = 0x20;
    static constexpr unsigned longForm = 0x40;
    static constexpr unsigned textForm = 0x60;

    static unsigned tagNumber(char tag) { return static_cast<unsigned char>(tag) & 0x1Fu; }

    // Room for count more bytes after those filled, for the caller to write and count.
    char* room(std::size_t count)
    {
        if (bytes_.size() - filled_ < count) reserve(2 * (filled_ + count));
        return bytes_.data() + filled_;
    }

    PresentBytes bytes_;  // all of it writable; the first filled_ bytes written
    std::size_t filled_ = 0;
};
