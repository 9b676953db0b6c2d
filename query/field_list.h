#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The field lists of the Select and Sort dialogs: their built-in entries, then the names of the
// named user-defined fields in slot order.

// A field as a list entry names it: a built-in field number or a user-defined slot.
struct FieldChoice {
    bool userField = false;
    std::int32_t field = -1;

    friend bool operator==(const FieldChoice&, const FieldChoice&) = default;
};

using BuiltInEntries = std::span<const std::string_view>;

// The towers' own fields as the Select dialog's list names them, in the numbering of the
// selection's and the sort's fields; the Sort dialog lists the first eight.
inline constexpr std::array<std::string_view, 12> towerFieldNames = {
    "place name", "county", "dedication", "no of bells", "tenor weight", "tenor note",
    "distance", "practice night", "x-coordinate", "y-coordinate", "ground floor", "unringable"};

class UserFields;

std::vector<std::string> fieldList(BuiltInEntries builtIn, const UserFields& fields);
// Entry p of the list; -1 (no current entry) or an entry past the end gives built-in -1, which
// names no field.
FieldChoice fieldOfEntry(BuiltInEntries builtIn, const UserFields& fields, int entry);
// The entry that shows a field; -1 when the list has none (an unnamed slot, an unknown number).
int entryOfField(BuiltInEntries builtIn, const UserFields& fields, FieldChoice choice);
