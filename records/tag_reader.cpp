#include "records/tag_reader.h"

std::optional<std::uint16_t> TagReader::readWord()
{
    if (remaining() < 2) {
        ranOutAt(offset_);
        return std::nullopt;
    }
    const auto* at = reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
    offset_ += 2;
    return static_cast<std::uint16_t>(littleEndianAt(at, 2));
}
