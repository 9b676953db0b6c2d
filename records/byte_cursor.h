#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "records/little_endian.h"

// Reads bytes from outside, held in memory, front to back and never past their end. Every read
// that asks for more bytes than are left gives none and leaves the cursor at the end, so a
// reader cut short sees every further read fail the same way.
class ByteCursor {
public:
    // The cursor keeps a view of the bytes, which must outlive it.
    explicit ByteCursor(std::string_view bytes, std::size_t offset = 0)
        : bytes_(bytes), offset_(offset < bytes.size() ? offset : bytes.size())
    {
    }

    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return bytes_.size() - offset_; }

    std::optional<std::string_view> take(std::size_t count)
    {
        if (count > remaining()) return pastTheEnd();
        const std::string_view taken = bytes_.substr(offset_, count);
        offset_ += count;
        return taken;
    }

    std::optional<std::uint8_t> byte()
    {
        if (remaining() < 1) return pastTheEnd();
        return static_cast<std::uint8_t>(bytes_[offset_++]);
    }

    // byteCount (1 to 8) bytes, the first the lowest.
    std::optional<std::uint64_t> littleEndian(int byteCount)
    {
        const auto taken = take(static_cast<std::size_t>(byteCount));
        if (!taken) return std::nullopt;
        return littleEndianAt(reinterpret_cast<const unsigned char*>(taken->data()), byteCount);
    }

    // The bytes up to the next terminator, which is read too but not given; none when no
    // terminator follows.
    std::optional<std::string_view> takeUntil(char terminator);

private:
    std::nullopt_t pastTheEnd()
    {
        offset_ = bytes_.size();
        return std::nullopt;
    }

    std::string_view bytes_;
    std::size_t offset_;
};
