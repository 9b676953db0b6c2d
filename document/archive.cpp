#include "document/archive.h"

#include <bit>
#include <limits>

#include "records/little_endian.h"

namespace {

constexpr std::uint8_t longerPrefix = 0xFF;
constexpr std::uint16_t wideCharacterMark = 0xFFFE;
constexpr std::uint16_t thirtyTwoBitLength = 0xFFFF;

}  // namespace

void ArchiveWriter::putLittleEndian(std::uint64_t value, int byteCount)
{
    char bytes[8];
    putLittleEndianAt(bytes, value, byteCount);
    bytes_.append(bytes, static_cast<std::size_t>(byteCount));
}

void ArchiveWriter::putInt32(std::int32_t value)
{
    putLittleEndian(static_cast<std::uint32_t>(value), 4);
}

void ArchiveWriter::putDouble(double value)
{
    static_assert(std::numeric_limits<double>::is_iec559);
    putLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void ArchiveWriter::putString(std::string_view text)
{
    const std::size_t length = text.size();
    if (length > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a text of more than 4 GB cannot be stored");
    if (length < longerPrefix) {
        putLittleEndian(length, 1);
    } else if (length < wideCharacterMark) {
        putLittleEndian(longerPrefix, 1);
        putLittleEndian(length, 2);
    } else {
        putLittleEndian(longerPrefix, 1);
        putLittleEndian(thirtyTwoBitLength, 2);
        putLittleEndian(length, 4);
    }
    bytes_.append(text);
}

std::uint64_t ArchiveReader::getLittleEndian(int byteCount)
{
    const auto value = cursor_.littleEndian(byteCount);
    if (!value) throw ArchiveFormatError("ends before its contents do");
    return *value;
}

std::int32_t ArchiveReader::getInt32()
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(getLittleEndian(4)));
}

double ArchiveReader::getDouble()
{
    return std::bit_cast<double>(getLittleEndian(8));
}

std::string ArchiveReader::getString()
{
    std::uint64_t length = getLittleEndian(1);
    if (length == longerPrefix) {
        length = getLittleEndian(2);
        if (length == wideCharacterMark)
            throw ArchiveFormatError("holds a text stored with two bytes per character");
        if (length == thirtyTwoBitLength) length = getLittleEndian(4);
    }
    const auto text = cursor_.take(length);
    if (!text) throw ArchiveFormatError("holds a text longer than the rest of the file");
    return std::string(*text);
}

bool ArchiveReader::skipIfNext(std::string_view bytes)
{
    ByteCursor ahead = cursor_;
    const auto next = ahead.take(bytes.size());
    if (!next || *next != bytes) return false;
    cursor_ = ahead;
    return true;
}
