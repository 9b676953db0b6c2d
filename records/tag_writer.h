#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/page_memory.h"

// Writes the tagged items of the compiled data file into memory. Each item is a head byte
// (bits 4-0 the tag number, letter = 0x60 + number; bits 7-5 the form) and its payload.
class TagWriter {
public:
    // 0 is left out; 1-255 small form, 256-65535 word form, anything else long form.
    void putNumber(char tag, std::int32_t value);
    // The empty text is left out; otherwise the bytes and a terminating 0 byte.
    void putText(char tag, std::string_view text);
    void putEnd();  // 0xFF

    // Room made at once, in present pages.
    void reserve(std::size_t size) { bytes_.reserve(size); }
    std::string_view bytes() const { return {bytes_.data(), bytes_.size()}; }

private:
    // Room for count more bytes at the end, for the caller to fill.
    char* extend(std::size_t count)
    {
        const std::size_t size = bytes_.size();
        bytes_.resize(size + count);
        return bytes_.data() + size;
    }

    PresentBytes bytes_;
};
