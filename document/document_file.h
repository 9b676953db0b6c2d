#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "query/user_fields.h"
#include "query/value_owners.h"
#include "records/file_bytes.h"

// Ten fields with a value of up to half a kibibyte for every tower, ids and names included: no
// document grows near it, and a larger file is refused before it is read.
inline constexpr FileKind documentFile{"document", std::uint64_t{userFieldCount} * maxTowerId * 512};

// The document file (*.bx0): the centre text, the radius in metres, then one record per named
// user-defined field in slot order: type, name, value count and the values of the map its type
// uses, in ascending TowerId. No header, version or checksum.
//
// After the fields, when any value has a tower to name, comes the ownership record, which readers
// that stop after the fields never see: a mark, then the identity of the tower under each id
// that holds a value, then the set-aside towers, each with its identity (when known) and its
// values by field record.
struct DocumentContents {
    std::string centreText;
    double radius = 0;
    // At most ten, all named, values in the map of their type; a set-aside tower's values lie
    // under its set-aside key.
    std::vector<UserField> fields;
    std::optional<ValueOwnership> ownership;  // none in a file written without one
    // Values given again for a tower in one field record, each left out for the later one.
    std::int32_t repeatedValues = 0;
};

// Owners the values do not use, and set-aside towers without a value written, are left out.
std::string encodeDocument(std::string_view centreText, double radius, const UserFieldSlots& slots,
                           const ValueOwnership& ownership = {});

// Reads the whole file before anything is used, so a bad file changes nothing. Throws
// ArchiveFormatError, whose text completes "the file ...", when the bytes end early, hold a
// radius that is not a number from 0 up, a field count outside 0 to 10, a type outside 0 to 2, a
// negative value count, a value for an id outside 1 to 32767, a text of two bytes per character
// or a text longer than the rest of the file, an ownership record that does not hold together,
// or any bytes after the fields other than one whole ownership record.
DocumentContents decodeDocument(std::string_view bytes);
