#include "query/user_fields.h"

#include <algorithm>

#include "records/number_text.h"

bool isUserFieldSlot(int slot)
{
    return slot >= 0 && slot < userFieldCount;
}

std::vector<int> UserFields::namedSlots() const
{
    std::vector<int> named;
    for (int slot = 0; slot < userFieldCount; ++slot) {
        if (slots_[slot].isNamed()) named.push_back(slot);
    }
    return named;
}

const std::int32_t* UserFields::number(int slot, TowerId id) const
{
    if (!isUserFieldSlot(slot)) return nullptr;
    const UserField& field = slots_[slot];
    if (field.usesTexts()) return nullptr;
    return field.numbers.find(id);
}

const std::string* UserFields::text(int slot, TowerId id) const
{
    if (!isUserFieldSlot(slot)) return nullptr;
    const UserField& field = slots_[slot];
    if (!field.usesTexts()) return nullptr;
    return field.texts.find(id);
}

void UserFields::appendValueText(std::string& text, int slot, TowerId id) const
{
    if (!isUserFieldSlot(slot)) return;
    switch (slots_[slot].type) {
    case FieldType::Date:
        if (const std::int32_t* value = number(slot, id)) appendDate(text, *value);
        return;
    case FieldType::Number:
        if (const std::int32_t* value = number(slot, id)) appendDecimal(text, *value);
        return;
    case FieldType::String:
        if (const std::string* value = this->text(slot, id)) text += *value;
        return;
    }
}

std::string UserFields::valueText(int slot, TowerId id) const
{
    std::string text;
    appendValueText(text, slot, id);
    return text;
}

void UserFields::setNumber(int slot, TowerId id, std::int32_t value)
{
    if (!isUserFieldSlot(slot) || slots_[slot].usesTexts()) return;
    slots_[slot].numbers.set(id, value);
}

void UserFields::setText(int slot, TowerId id, std::string value)
{
    if (!isUserFieldSlot(slot) || !slots_[slot].usesTexts()) return;
    slots_[slot].texts.set(id, std::move(value));
}

void UserFields::clear(int slot)
{
    if (!isUserFieldSlot(slot)) return;
    UserField& field = slots_[slot];
    field.name.clear();
    field.numbers.clear();
    field.texts.clear();
}

void UserFields::replace(std::vector<UserField> fields)
{
    const int given = std::min(static_cast<int>(fields.size()), userFieldCount);
    for (int slot = 0; slot < given; ++slot) slots_[slot] = std::move(fields[slot]);
    for (int slot = given; slot < userFieldCount; ++slot) clear(slot);
}
