#include "document/tower_field_editor.h"

#include "query/tower_text.h"
#include "query/user_fields.h"
#include "query/tower_database.h"
#include "records/value_readers.h"

TowerFieldEditor::TowerFieldEditor(const Tower* tower, const TowerDatabase& database, UserFields& fields,
                                   ReferenceSystem system)
    : tower_(tower), database_(database), fields_(fields), system_(system)
{
    if (tower != nullptr) towerId_ = tower->id;
}

std::string TowerFieldEditor::header() const { return towerDescription(tower_, database_, true, fields_, system_); }

bool TowerFieldEditor::rowShown(int slot) const
{
    return isUserFieldSlot(slot) && fields_[slot].isNamed();
}

std::string TowerFieldEditor::rowName(int slot) const
{
    return rowShown(slot) ? fields_[slot].name : std::string();
}

std::string TowerFieldEditor::valueText(int slot) const
{
    if (!towerId_ || !rowShown(slot)) return {};
    return fields_.valueText(slot, *towerId_);
}

std::optional<EntryDialog> TowerFieldEditor::entryDialog(int slot) const
{
    if (!towerId_ || !rowShown(slot)) return std::nullopt;
    switch (fields_[slot].type) {
    case FieldType::Date: return EntryDialog::Date;
    case FieldType::Number: return EntryDialog::Number;
    case FieldType::String: return EntryDialog::Text;
    }
    return std::nullopt;
}

std::string TowerFieldEditor::entryText(int slot) const
{
    return entryDialog(slot) ? fields_.valueText(slot, *towerId_) : std::string();
}

bool TowerFieldEditor::enterValue(int slot, std::string_view text)
{
    const auto dialog = entryDialog(slot);
    if (!dialog) return false;
    // A box left as it opened changes nothing: a tower without a value keeps none, and a date
    // before 1601, which the box shows as 31/12/1600 and would not take typed, stays.
    if (text == entryText(slot)) return true;
    const UserField before = fields_[slot];
    switch (*dialog) {
    case EntryDialog::Date: {
        const CalendarDate now = today();
        if (!namesADayOrNone(text, now)) return false;
        fields_.setNumber(slot, *towerId_, readDate(text, now));
        break;
    }
    case EntryDialog::Number: {
        const auto value = readWholeInteger(text);
        if (!value) return false;
        fields_.setNumber(slot, *towerId_, *value);
        break;
    }
    case EntryDialog::Text:
        fields_.setText(slot, *towerId_, std::string(text));
        break;
    }
    const UserField& after = fields_[slot];
    if (after.numbers != before.numbers || after.texts != before.texts) changedAValue_ = true;
    return true;
}
