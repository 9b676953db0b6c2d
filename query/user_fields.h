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

// The one table of the whole viewer, as referenceSystem is: not owned by any document.
extern UserFieldSlots userFields;

// False for a slot number outside 0 to 9; every operation below treats such a slot as an
// unnamed field without values.
bool isUserFieldSlot(int slot);

// The slots whose name is not empty, in slot order: the user fields that field lists,
// descriptions, exports and the document file show.
std::vector<int> namedUserFieldSlots();

// The text of the tower's value in the slot by its current type ("7/9/2002", "-12", the text),
// empty when it has none.
std::string userFieldValueText(int slot, TowerId id);
void appendUserFieldValueText(std::string& text, int slot, TowerId id);

// The tower's value on the map the slot's current type uses; nullptr when it has none there.
const std::int32_t* userFieldNumber(int slot, TowerId id);
const std::string* userFieldText(int slot, TowerId id);

// Set the tower's value on the map of the slot's current type.
void setUserFieldNumber(int slot, TowerId id, std::int32_t value);
void setUserFieldText(int slot, TowerId id, std::string value);

// Empty name, both maps emptied; the type stays.
void clearUserField(int slot);
// Every slot as at start: no name, type Date, no values.
void resetUserFields();
// The fields (at most ten) into slots 0, 1, ... in their order; every later slot is cleared.
void replaceUserFields(std::vector<UserField> fields);

// Sets the tower's value from what the user typed, read by the slot's current type: a date, an
// integer or the text itself. A slot of an unknown type keeps its values.
void setUserFieldFromText(int slot, TowerId id, std::string_view text);
