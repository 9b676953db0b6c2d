#include "records/tag_writer.h"

#include <algorithm>

namespace {

// Bits 7-5 of a head byte.
constexpr unsigned smallForm = 0x00;
constexpr unsigned wordForm = 0x20;
constexpr unsigned longForm = 0x40;
constexpr unsigned textForm = 0x60;

unsigned tagNumber(char tag) { return static_cast<unsigned char>(tag) & 0x1Fu; }

}  // namespace

void TagWriter::putNumber(char tag, std::int32_t value)
{
    if (value == 0) return;
    const auto bits = static_cast<std::uint32_t>(value);  // two's complement for the long form
    const unsigned form = value > 0 && value <= 0xFF ? smallForm : value > 0 && value <= 0xFFFF ? wordForm : longForm;
    const int payload = form == smallForm ? 1 : form == wordForm ? 2 : 4;
    char* const item = extend(static_cast<std::size_t>(1 + payload));
    item[0] = static_cast<char>(form | tagNumber(tag));
    for (int i = 0; i < payload; ++i) item[1 + i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
}

void TagWriter::putText(char tag, std::string_view text)
{
    // The file ends a text at its first 0 byte; writing the bytes after one would turn them into
    // stray items for the reader, so a text is written only up to it.
    const std::size_t length = text.find('\0');
    const std::size_t kept = length == std::string_view::npos ? text.size() : length;
    if (kept == 0) return;
    char* const item = extend(kept + 2);
    item[0] = static_cast<char>(textForm | tagNumber(tag));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept), item + 1);
    item[kept + 1] = '\0';
}

void TagWriter::putEnd() { bytes_.push_back(static_cast<char>(0xFF)); }
