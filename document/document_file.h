#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "query/user_fields.h"

// The document file (*.bx0): the centre text, the radius in metres, then one record per named
// user-defined field in slot order: type, name, value count and the values of the map its type
// uses, in ascending TowerId. No header, version or checksum.
struct DocumentContents {
    std::string centreText;
    double radius = 0;
    std::vector<UserField> fields;  // at most ten, all named, values in the map of their type
};

std::string encodeDocument(std::string_view centreText, double radius,
                           const std::array<UserField, userFieldCount>& slots);

// Reads the whole file before anything is used, so a bad file changes nothing. Throws
// ArchiveFormatError, whose text completes "the file ...", when the bytes end early, hold a
// field count outside 0 to 10, a type outside 0 to 2, a negative value count, a text of two
// bytes per character or a text longer than the rest of the file. Bytes after the last record
// are ignored.
DocumentContents decodeDocument(std::string_view bytes);
