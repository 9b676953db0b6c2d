#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "records/byte_cursor.h"

// The item encoding of the document file: 32-bit integers and doubles little-endian, and
// strings behind a length prefix of 1, 3 or 7 bytes:
//   0 to 254 bytes       one byte, the length
//   255 to 65533 bytes   0xFF, then the length as 16 bits
//   65534 bytes and up   0xFF, 0xFFFF, then the length as 32 bits
// A 16-bit 0xFFFE after the first 0xFF marks a string of two bytes per character; this system
// never writes one and refuses to read one.

// Thrown when bytes do not hold the item the reader asks for; what() says why, in words that
// can follow "the file ...".
class ArchiveFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ArchiveWriter {
public:
    void putInt32(std::int32_t value);
    void putDouble(double value);
    void putString(std::string_view text);

    const std::string& bytes() const { return bytes_; }

private:
    void putLittleEndian(std::uint64_t value, int byteCount);

    std::string bytes_;
};

// Reads items from bytes held in memory, never past their end.
class ArchiveReader {
public:
    // The reader keeps a view of the bytes, which must outlive it.
    explicit ArchiveReader(std::string_view bytes) : cursor_(bytes) {}
    explicit ArchiveReader(std::string&&) = delete;

    std::int32_t getInt32();
    double getDouble();
    std::string getString();

    std::size_t remaining() const { return cursor_.remaining(); }
    // Reads past the bytes when they come next; otherwise reads nothing.
    bool skipIfNext(std::string_view bytes);

private:
    std::uint64_t getLittleEndian(int byteCount);

    ByteCursor cursor_;
};
