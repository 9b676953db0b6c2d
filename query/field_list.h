#pragma once

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

std::vector<std::string> fieldList(BuiltInEntries builtIn);
// Entry p of the list; -1 (no current entry) or an entry past the end gives built-in -1, which
// names no field.
FieldChoice fieldOfEntry(BuiltInEntries builtIn, int entry);
// The entry that shows a field; -1 when the list has none (an unnamed slot, an unknown number).
int entryOfField(BuiltInEntries builtIn, FieldChoice choice);
