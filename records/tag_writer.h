#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes the tagged items of the compiled data file into memory. Each item is a head byte
// (bits 4-0 the tag number, letter = 0x60 + number; bits 7-5 the form) and its payload.
class TagWriter {
public:
    // 0 is left out; 1-255 small form, 256-65535 word form, anything else long form.
    void putNumber(char tag, std::int32_t value);
    // The empty text is left out; otherwise the bytes and a terminating 0 byte.
    void putText(char tag, std::string_view text);
    void putEnd();  // 0xFF

    void reserve(std::size_t size) { bytes_.reserve(size); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};
