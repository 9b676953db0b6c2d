#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "geo/location_text.h"
#include "records/tower.h"
#include "records/value_readers.h"  // readWholeInteger, as the Enter Number box reads its text

class TowerDatabase;
class UserFields;

// Which entry dialog a row's button opens.
enum class EntryDialog { Date, Number, Text };

// What the tower's field editor shows and changes, for the tower that was current when the
// command ran. The editor's dialog reads its rows from here and hands every entry dialog's OK
// back here, so each value changes at that OK and closing the editor undoes nothing.
class TowerFieldEditor {
public:
    // No tower: the header is "No tower details" and no row opens an entry dialog. The header
    // tells the place in the reference system given; values go into the fields given.
    TowerFieldEditor(const Tower* tower, const TowerDatabase& database, UserFields& fields, ReferenceSystem system);

    // The tower's full description, its values as they are now.
    std::string header() const;
    // A row's button is shown, carrying the slot's name, only for a named slot.
    bool rowShown(int slot) const;
    std::string rowName(int slot) const;
    // The tower's value text in the slot; empty for an unnamed slot or no tower.
    std::string valueText(int slot) const;

    // The entry dialog of the slot's current type; none for no tower, an unnamed slot or a type
    // outside Date, Number and String.
    std::optional<EntryDialog> entryDialog(int slot) const;
    // The entry box's first text: the value's text, empty when the tower has none (unlike 0, which
    // a Number field keeps as a value).
    std::string entryText(int slot) const;
    // The entry dialog's OK. A box left as it opened changes nothing. A date text that names no
    // day, and a number box that holds no 32-bit integer, are refused (false: the dialog stays open
    // and nothing changes); an empty date clears the date.
    bool enterValue(int slot, std::string_view text);
    // Some entry dialog's OK gave a tower a value it did not have before.
    bool changedAValue() const { return changedAValue_; }

private:
    const Tower* tower_;
    const TowerDatabase& database_;
    UserFields& fields_;
    ReferenceSystem system_;
    std::optional<TowerId> towerId_;
    bool changedAValue_ = false;
};
