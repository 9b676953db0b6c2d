#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "query/day_numbers.h"
#include "query/tower_values.h"
#include "records/tower.h"

// The user's own fields: ten slots, each with a name, a type and at most one value per tower,
// keyed by TowerId so the values stay with their towers across loads of the directory.

// Numbered as the entries of the type lists of the User-defined Fields dialog. A slot's type is
// kept as read, so it may hold a number outside these three; such a field shows no values.
enum class FieldType : std::int32_t { Date = 0, Number = 1, String = 2 };

inline constexpr std::array<std::string_view, 3> fieldTypeNames = {"Date", "Number", "String"};

struct UserField {
    std::string name;                       // the empty name leaves the slot free
    FieldType type = FieldType::Date;
    TowerValues<std::int32_t> numbers;  // Date (day numbers) and Number values
    TowerValues<std::string> texts;     // String values

    bool isNamed() const { return !name.empty(); }
    // Date, Number and any unknown type keep their values in numbers; only String uses texts.
    bool usesTexts() const { return type == FieldType::String; }
};

using UserFieldSlots = std::array<UserField, userFieldCount>;

// False for a slot number outside 0 to 9; every operation of UserFields treats such a slot as an
// unnamed field without values.
bool isUserFieldSlot(int slot);

// The ten fields of one viewer run: at start every slot has no name, type Date and no values.
// Their owner passes them to whoever shows, selects, sorts or saves by them.
class UserFields {
public:
    UserField& operator[](int slot) { return slots_.at(static_cast<std::size_t>(slot)); }
    const UserField& operator[](int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }
    UserFieldSlots& slots() { return slots_; }
    const UserFieldSlots& slots() const { return slots_; }

    // The slots whose name is not empty, in slot order: the user fields that field lists,
    // descriptions, exports and the document file show.
    std::vector<int> namedSlots() const;

    // The text of the tower's value in the slot by its current type ("7/9/2002", "-12", the
    // text), empty when it has none.
    std::string valueText(int slot, TowerId id) const;
    void appendValueText(std::string& text, int slot, TowerId id) const;

    // The tower's value on the map the slot's current type uses; nullptr when it has none there.
    const std::int32_t* number(int slot, TowerId id) const;
    const std::string* text(int slot, TowerId id) const;

    // Set the tower's value on the map of the slot's current type.
    void setNumber(int slot, TowerId id, std::int32_t value);
    void setText(int slot, TowerId id, std::string value);

    // Empty name, both maps emptied; the type stays.
    void clear(int slot);
    // The fields (at most ten) into slots 0, 1, ... in their order; every later slot is cleared.
    void replace(std::vector<UserField> fields);

private:
    UserFieldSlots slots_;
};
