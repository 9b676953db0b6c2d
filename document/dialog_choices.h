#pragma once

#include "document/document_dialogs.h"
#include "query/selection_step.h"
#include "query/sort_key.h"

struct CalendarDate;

class UserFields;

// Between the Select and Sort dialogs' list entries and the fields they name: the built-in
// entries first, then the named user-defined fields in slot order.

// The step a Select dialog's OK makes. Invert, Undo Last and Select All carry only their mode.
SelectionStep selectionStepOf(const SelectChoice& choice, const UserFields& fields);
// Why a Date box refuses a text, none when it takes it (see namesADayOrNone).
std::optional<std::string> dateBoxRefusal(std::string_view text, const CalendarDate& today);

// Why OK cannot make that step: a test with no field chosen, or a bound refusedBound refuses.
std::optional<SelectRefusal> selectRefusal(const SelectChoice& choice, const UserFields& fields,
                                           const CalendarDate& today);

// The rows the Sort dialog starts with: each key's entry (none for an unnamed slot) and direction.
SortRows sortRowsOf(const SortKeys& keys, const UserFields& fields);
// The keys after the Sort dialog's OK. A row whose entry the user left as it was keeps its key's
// field, even one no entry shows; a changed row takes the field of its new entry (none: built-in
// -1, which compares nothing).
SortKeys sortKeysOf(const SortKeys& keys, const SortRows& shown, const SortRows& chosen, const UserFields& fields);

// Why the User-defined Fields dialog cannot keep its names, and the row to correct: a name of
// blanks alone, which would show as an empty button, or a name that lists, exports and veskquery
// could not tell from a built-in field's or a row's above, differing only in capitals or in blanks
// around it. None when every name can be kept.
struct FieldNameRefusal {
    int row = 0;
    std::string message;
};
std::optional<FieldNameRefusal> fieldNameRefusal(const std::array<std::string, userFieldCount>& names);

// What the User-defined Fields dialog's rows hide of the values the fields show now: a field that
// loses its name, or whose new type keeps its values in the other map (texts for String, numbers
// for the others), no longer shows them, and a document file keeps only the values it shows. The
// empty text when nothing is hidden.
std::string hiddenValuesNote(const UserFields& fields, const UserFieldDefinitions& rows);
// What the rows bring back into view: values kept in a slot that had no name, or in the map its
// field's new type uses, which its named field now shows; a row named afresh may so show the
// values of a field whose name was taken away. The empty text when nothing returns.
std::string returningValuesNote(const UserFields& fields, const UserFieldDefinitions& rows);
