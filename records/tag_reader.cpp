#include "records/tag_reader.h"

#include <utility>


TagReader::TagReader(std::string bytes) : bytes_(std::move(bytes)), cursor_(bytes_) {}

TagReader::TagReader(TagReader&& other) noexcept
    : bytes_(std::move(other.bytes_)),
      cursor_(bytes_, other.cursor_.offset()),
      ranOut_(other.ranOut_),
      tag_(other.tag_),
      value_(other.value_),
      textStart_(other.textStart_),
      textLength_(other.textLength_),
      unread_(other.unread_)
{
}

TagReader& TagReader::operator=(TagReader&& other) noexcept
{
    const std::size_t offset = other.cursor_.offset();
    bytes_ = std::move(other.bytes_);
    cursor_ = ByteCursor(bytes_, offset);
    ranOut_ = other.ranOut_;
    tag_ = other.tag_;
    value_ = other.value_;
    textStart_ = other.textStart_;
    textLength_ = other.textLength_;
    unread_ = other.unread_;
    return *this;
}

int TagReader::nextItem()
{
    if (unread_) {
        unread_ = false;
        return tag_;
    }
    value_ = 0;
    const auto head = cursor_.byte();
    if (!head) {
        ranOut_ = true;
        return tag_ = endMarker;
    }
    tag_ = 0x60 + (*head & 0x1F);

    // An item whose payload the end of the bytes cuts short is dropped: it reads as the end
    // marker, so no half-read number or text reaches a field.
    switch (*head >> 5) {
    case 0:  // small
    case 1:  // word
    case 2: {  // long, two's complement
        const int width = 1 << (*head >> 5);
        const auto number = cursor_.littleEndian(width);
        if (!number) {
            ranOut_ = true;
            return tag_ = endMarker;
        }
        value_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
        break;
    }
    case 3: {  // text up to its 0 byte, of any length
        const auto text = cursor_.takeUntil('\0');
        if (!text) {
            ranOut_ = true;
            return tag_ = endMarker;
        }
        textStart_ = static_cast<std::size_t>(text->data() - bytes_.data());
        textLength_ = text->size();
        break;
    }
    default:  // bare: no payload
        break;
    }
    return tag_;
}

std::optional<std::uint16_t> TagReader::readWord()
{
    const auto word = cursor_.littleEndian(2);
    if (!word) {
        ranOut_ = true;
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*word);
}
