// Document files come from anywhere the user points Open at: every byte sequence must either be
// refused with ArchiveFormatError or read into contents that, written and read again, write the
// same bytes once more: fields, values, owners and set-aside towers all come back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/archive.h"
#include "document/document_file.h"

namespace {

std::string encoded(const DocumentContents& contents)
{
    if (contents.fields.size() > userFieldCount) std::abort();
    UserFieldSlots slots;
    for (std::size_t slot = 0; slot < contents.fields.size(); ++slot) slots[slot] = contents.fields[slot];
    return encodeDocument(contents.centreText, contents.radius, slots, contents.ownership.value_or(ValueOwnership{}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DocumentContents contents;
    try {
        contents = decodeDocument(bytes);
    } catch (const ArchiveFormatError&) {
        return 0;
    }
    // A record read with an empty name is an unnamed slot, which is not written again, and
    // owners without a value are left out: the first writing settles what the file holds.
    const std::string once = encoded(contents);
    const DocumentContents again = decodeDocument(once);
    if (again.centreText != contents.centreText) std::abort();
    if (encoded(again) != once) std::abort();
    return 0;
}
