#include "records/tag_reader.h"

#include <cstring>
#include <utility>

#include "records/file_bytes.h"

TagReader::TagReader(std::string bytes) : bytes_(std::move(bytes)) {}

TagReader TagReader::fromFile(const std::filesystem::path& path)
{
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        TagReader closed{std::string()};
        closed.open_ = false;
        return closed;
    }
    return TagReader(std::move(*bytes));
}

int TagReader::nextItem()
{
    if (unread_) {
        unread_ = false;
        return tag_;
    }
    value_ = 0;
    if (offset_ >= bytes_.size()) {
        tag_ = endMarker;
        return tag_;
    }
    const auto head = static_cast<unsigned char>(bytes_[offset_++]);
    tag_ = 0x60 + (head & 0x1F);

    const auto byteAt = [this](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at]));
    };
    // An item whose payload the end of the bytes cuts short is dropped: it reads as the end
    // marker, so no half-read number or text reaches a field.
    const auto cutShort = [this] {
        offset_ = bytes_.size();
        tag_ = endMarker;
        return tag_;
    };
    switch (head >> 5) {
    case 0:  // small
        if (remaining() < 1) return cutShort();
        value_ = static_cast<std::int32_t>(byteAt(offset_));
        offset_ += 1;
        break;
    case 1:  // word
        if (remaining() < 2) return cutShort();
        value_ = static_cast<std::int32_t>(byteAt(offset_) | byteAt(offset_ + 1) << 8);
        offset_ += 2;
        break;
    case 2: {  // long, little-endian two's complement
        if (remaining() < 4) return cutShort();
        const std::uint32_t bits = byteAt(offset_) | byteAt(offset_ + 1) << 8
                                   | byteAt(offset_ + 2) << 16 | byteAt(offset_ + 3) << 24;
        value_ = static_cast<std::int32_t>(bits);
        offset_ += 4;
        break;
    }
    case 3: {  // text up to and including its 0 byte, of any length
        const void* zero = std::memchr(bytes_.data() + offset_, 0, remaining());
        if (zero == nullptr) return cutShort();
        const std::size_t end = static_cast<const char*>(zero) - bytes_.data();
        text_.assign(bytes_, offset_, end - offset_);
        offset_ = end + 1;
        break;
    }
    default:  // bare: no payload
        break;
    }
    return tag_;
}

void TagReader::unread() { unread_ = true; }

std::optional<std::uint16_t> TagReader::readWord()
{
    if (remaining() < 2) {
        offset_ = bytes_.size();
        return std::nullopt;
    }
    const auto low = static_cast<unsigned char>(bytes_[offset_]);
    const auto high = static_cast<unsigned char>(bytes_[offset_ + 1]);
    offset_ += 2;
    return static_cast<std::uint16_t>(low | high << 8);
}
