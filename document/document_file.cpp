#include "document/document_file.h"

#include <string>

#include "document/archive.h"

namespace {

// The smallest value entry: a TowerId and a number, or a TowerId and an empty text.
constexpr std::size_t smallestNumberEntry = 8;
constexpr std::size_t smallestTextEntry = 5;

}  // namespace

std::string encodeDocument(std::string_view centreText, double radius,
                           const std::array<UserField, userFieldCount>& slots)
{
    ArchiveWriter out;
    out.putString(centreText);
    out.putDouble(radius);
    std::int32_t named = 0;
    for (const UserField& field : slots)
        if (field.isNamed()) ++named;
    out.putInt32(named);
    for (const UserField& field : slots) {
        if (!field.isNamed()) continue;
        out.putInt32(static_cast<std::int32_t>(field.type));
        out.putString(field.name);
        if (field.usesTexts()) {
            out.putInt32(static_cast<std::int32_t>(field.texts.size()));
            field.texts.forEach([&out](TowerId id, const std::string& text) {
                out.putInt32(id);
                out.putString(text);
            });
        } else {
            out.putInt32(static_cast<std::int32_t>(field.numbers.size()));
            field.numbers.forEach([&out](TowerId id, std::int32_t number) {
                out.putInt32(id);
                out.putInt32(number);
            });
        }
    }
    return out.bytes();
}

DocumentContents decodeDocument(std::string_view bytes)
{
    ArchiveReader in(bytes);
    DocumentContents contents;
    contents.centreText = in.getString();
    contents.radius = in.getDouble();
    const std::int32_t count = in.getInt32();
    if (count < 0 || count > userFieldCount)
        throw ArchiveFormatError("has a field count of " + std::to_string(count) +
                                 ", not 0 to 10");
    for (std::int32_t j = 0; j < count; ++j) {
        UserField field;
        const std::int32_t type = in.getInt32();
        if (type < 0 || type > 2)
            throw ArchiveFormatError("has a field of type " + std::to_string(type) +
                                     ", not 0 to 2");
        field.type = static_cast<FieldType>(type);
        field.name = in.getString();
        const std::int32_t values = in.getInt32();
        if (values < 0) throw ArchiveFormatError("has a negative value count");
        const std::size_t entrySize =
            field.usesTexts() ? smallestTextEntry : smallestNumberEntry;
        if (static_cast<std::size_t>(values) > in.remaining() / entrySize)
            throw ArchiveFormatError("ends before its contents do");
        for (std::int32_t i = 0; i < values; ++i) {
            const TowerId id = in.getInt32();
            // A TowerId met twice in one record keeps its later value.
            if (field.usesTexts())
                field.texts.set(id, in.getString());
            else
                field.numbers.set(id, in.getInt32());
        }
        contents.fields.push_back(std::move(field));
    }
    return contents;
}
