#include "query/user_fields.h"

#include <algorithm>

#include "records/number_text.h"
#include "records/value_readers.h"

UserFieldSlots userFields;

bool isUserFieldSlot(int slot)
{
    return slot >= 0 && slot < userFieldCount;
}

std::vector<int> namedUserFieldSlots()
{
    std::vector<int> slots;
    for (int slot = 0; slot < userFieldCount; ++slot) {
        if (userFields[slot].isNamed()) slots.push_back(slot);
    }
    return slots;
}

const std::int32_t* userFieldNumber(int slot, TowerId id)
{
    if (!isUserFieldSlot(slot)) return nullptr;
    const UserField& field = userFields[slot];
    if (field.usesTexts()) return nullptr;
    return field.numbers.find(id);
}

const std::string* userFieldText(int slot, TowerId id)
{
    if (!isUserFieldSlot(slot)) return nullptr;
    const UserField& field = userFields[slot];
    if (!field.usesTexts()) return nullptr;
    return field.texts.find(id);
}

void appendUserFieldValueText(std::string& text, int slot, TowerId id)
{
    if (!isUserFieldSlot(slot)) return;
    switch (userFields[slot].type) {
    case FieldType::Date:
        if (const std::int32_t* value = userFieldNumber(slot, id)) appendDate(text, *value);
        return;
    case FieldType::Number:
        if (const std::int32_t* value = userFieldNumber(slot, id)) appendDecimal(text, *value);
        return;
    case FieldType::String:
        if (const std::string* value = userFieldText(slot, id)) text += *value;
        return;
    }
}

std::string userFieldValueText(int slot, TowerId id)
{
    std::string text;
    appendUserFieldValueText(text, slot, id);
    return text;
}

void setUserFieldNumber(int slot, TowerId id, std::int32_t value)
{
    if (!isUserFieldSlot(slot) || userFields[slot].usesTexts()) return;
    userFields[slot].numbers.set(id, value);
}

void setUserFieldText(int slot, TowerId id, std::string value)
{
    if (!isUserFieldSlot(slot) || !userFields[slot].usesTexts()) return;
    userFields[slot].texts.set(id, std::move(value));
}

void setUserFieldFromText(int slot, TowerId id, std::string_view text)
{
    if (!isUserFieldSlot(slot)) return;
    switch (userFields[slot].type) {
    case FieldType::Date: setUserFieldNumber(slot, id, readDate(text)); break;
    case FieldType::Number: setUserFieldNumber(slot, id, readInteger(text)); break;
    case FieldType::String: setUserFieldText(slot, id, std::string(text)); break;
    }
}

void clearUserField(int slot)
{
    if (!isUserFieldSlot(slot)) return;
    UserField& field = userFields[slot];
    field.name.clear();
    field.numbers.clear();
    field.texts.clear();
}

void resetUserFields()
{
    userFields = {};
}

void replaceUserFields(std::vector<UserField> fields)
{
    const int given = std::min(static_cast<int>(fields.size()), userFieldCount);
    for (int slot = 0; slot < given; ++slot) userFields[slot] = std::move(fields[slot]);
    for (int slot = given; slot < userFieldCount; ++slot) clearUserField(slot);
}
