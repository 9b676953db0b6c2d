// Document files come from anywhere the user points Open at: every byte sequence must either be
// refused with ArchiveFormatError or read into contents that write back and read again the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/archive.h"
#include "document/document_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DocumentContents contents;
    try {
        contents = decodeDocument(bytes);
    } catch (const ArchiveFormatError&) {
        return 0;
    }
    if (contents.fields.size() > userFieldCount) std::abort();
    std::array<UserField, userFieldCount> slots;
    for (std::size_t slot = 0; slot < contents.fields.size(); ++slot)
        slots[slot] = contents.fields[slot];
    // A record read with an empty name is an unnamed slot, which is not written again.
    const DocumentContents again =
        decodeDocument(encodeDocument(contents.centreText, contents.radius, slots));
    if (again.centreText != contents.centreText) std::abort();
    std::size_t named = 0;
    for (const UserField& field : contents.fields) {
        if (!field.isNamed()) continue;
        const UserField& back = again.fields.at(named++);
        if (back.name != field.name || back.type != field.type || back.numbers != field.numbers ||
            back.texts != field.texts)
            std::abort();
    }
    if (named != again.fields.size()) std::abort();
    return 0;
}
