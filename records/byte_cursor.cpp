#include "records/byte_cursor.h"

#include <cstring>

std::optional<std::string_view> ByteCursor::takeUntil(char terminator)
{
    if (remaining() == 0) return pastTheEnd();
    const char* from = bytes_.data() + offset_;
    const void* found = std::memchr(from, terminator, remaining());
    if (found == nullptr) return pastTheEnd();
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - from);
    const std::string_view taken = bytes_.substr(offset_, length);
    offset_ += length + 1;
    return taken;
}
