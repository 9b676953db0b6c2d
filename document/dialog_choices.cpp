#include "document/dialog_choices.h"

#include <algorithm>

#include "document/list_search.h"
#include "query/day_numbers.h"
#include "query/field_list.h"
#include "query/selection.h"
#include "query/sorting.h"
#include "query/user_fields.h"
#include "query/value_owners.h"
#include "records/counted.h"

SelectionStep selectionStepOf(const SelectChoice& choice, const UserFields& fields)
{
    SelectionStep step;
    step.mode = choice.mode;
    if (!combines(choice.mode)) return step;
    const FieldChoice field = fieldOfEntry(selectionFieldEntries, fields, choice.fieldEntry);
    step.userField = field.userField;
    step.field = field.field;
    step.fromText = choice.fromText;
    step.toText = choice.toText;
    step.exclude = choice.exclude;
    return step;
}

std::optional<std::string> dateBoxRefusal(std::string_view text, const CalendarDate& today)
{
    if (namesADayOrNone(text, today)) return std::nullopt;
    const std::int32_t readInstead = dayReadInstead(text, today);
    const std::string readAs =
        readInstead > 0 ? "\"" + std::string(text) + "\" would be read as " + formatDate(readInstead) + ". " : "";
    return readAs + "Please enter a date as day/month/year, such as 7/9/2002 or 7-9-02; 25/12 is this year's and 14 "
                     "this month's. An empty box clears the date.";
}

std::optional<SelectRefusal> selectRefusal(const SelectChoice& choice, const UserFields& fields,
                                           const CalendarDate& today)
{
    const SelectionStep step = selectionStepOf(choice, fields);
    if (combines(step.mode) && choice.fieldEntry < 0)
        return SelectRefusal{SelectRefusal::Box::Field, "Please choose the field to select by from the list."};
    const std::optional<RefusedBound> bound = refusedBound(step, fields, today);
    if (!bound) return std::nullopt;
    return SelectRefusal{bound->upper ? SelectRefusal::Box::To : SelectRefusal::Box::From, bound->message};
}

SortRows sortRowsOf(const SortKeys& keys, const UserFields& fields)
{
    SortRows rows;
    for (std::size_t k = 0; k < keys.size(); ++k)
        rows[k] = {entryOfField(sortFieldEntries, fields, {keys[k].userField, keys[k].field}),
                   keys[k].descending};
    return rows;
}

SortKeys sortKeysOf(const SortKeys& keys, const SortRows& shown, const SortRows& chosen, const UserFields& fields)
{
    SortKeys result = keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (chosen[k].fieldEntry != shown[k].fieldEntry) {
            const FieldChoice field = fieldOfEntry(sortFieldEntries, fields, chosen[k].fieldEntry);
            result[k].userField = field.userField;
            result[k].field = field.field;
        }
        result[k].descending = chosen[k].descending;
    }
    return result;
}

namespace {

// A name as a reader tells it from others: without blanks around it, capitals as small letters
// (accented ones too), a no-break space as the blank it looks like.
std::string nameLikeness(std::string_view name)
{
    constexpr char noBreakSpace = '\xA0';
    std::string likeness;
    for (const char c : name) likeness += c == noBreakSpace ? ' ' : lowerCase1252(c);
    const std::size_t first = likeness.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return likeness.substr(first, likeness.find_last_not_of(" \t") - first + 1);
}

// "2 dates", "1 text": values of a field of the type, as the notes on its values count them.
std::string valuesCounted(FieldType type, std::int64_t values)
{
    switch (type) {
    case FieldType::Date: return counted(values, "date", "dates");
    case FieldType::String: return counted(values, "text", "texts");
    case FieldType::Number: break;
    }
    return counted(values, "number", "numbers");
}

}  // namespace

std::optional<FieldNameRefusal> fieldNameRefusal(const std::array<std::string, userFieldCount>& names)
{
    for (int row = 0; row < userFieldCount; ++row) {
        const std::string& name = names[static_cast<std::size_t>(row)];
        if (name.empty()) continue;
        const std::string likeness = nameLikeness(name);
        if (likeness.empty())
            return FieldNameRefusal{row, "A field's name of blanks alone would show as an empty button. Please type "
                                         "a name, or empty the box to hide the field."};
        const auto refusal = [&](std::string_view other, bool builtIn) {
            const std::string like = name == other ? "is the name of" : "is too like \"" + std::string(other) + "\",";
            return FieldNameRefusal{row, "\"" + name + "\" " + like + (name == other ? " " : " the name of ") +
                                             (builtIn ? "a built-in field" : "another field") +
                                             ": lists and exports could not tell them apart. Please give it another "
                                             "name."};
        };
        for (const std::string_view builtIn : towerFieldNames)
            if (nameLikeness(builtIn) == likeness) return refusal(builtIn, true);
        for (int above = 0; above < row; ++above)
            if (nameLikeness(names[static_cast<std::size_t>(above)]) == likeness)
                return refusal(names[static_cast<std::size_t>(above)], false);
    }
    return std::nullopt;
}

std::string hiddenValuesNote(const UserFields& fields, const UserFieldDefinitions& rows)
{
    std::string hidden;
    for (const int slot : fields.namedSlots()) {
        const UserField& field = fields[slot];
        const UserFieldDefinition& row = rows[static_cast<std::size_t>(slot)];
        // Values kept aside for towers the directory lacks were never shown, but a save leaves
        // them out all the same.
        std::size_t shown = 0;
        std::size_t aside = 0;
        const auto count = [&](TowerId id, const auto&) { ++(isSetAsideKey(id) ? aside : shown); };
        if (field.usesTexts())
            field.texts.forEach(count);
        else
            field.numbers.forEach(count);
        if (shown + aside == 0) continue;
        const bool rowTypeKnown = row.type >= 0 && row.type < static_cast<std::int32_t>(fieldTypeNames.size());
        const FieldType type = rowTypeKnown ? static_cast<FieldType>(row.type) : field.type;
        const bool sameMap = (type == FieldType::String) == field.usesTexts();
        if (!row.name.empty() && sameMap) continue;
        const std::string values = valuesCounted(field.type, static_cast<std::int64_t>(shown));
        hidden += "\n" + field.name + ": " + values;
        if (row.name.empty())
            hidden += ", hidden now that the field has no name";
        else
            hidden += ", which a " + std::string(fieldTypeNames[static_cast<std::size_t>(type)]) + " field does not show";
        if (aside > 0)
            hidden += ", and " + counted(static_cast<std::int64_t>(aside), "value", "values") +
                      " kept with the document for towers the directory lacks";
    }
    if (hidden.empty()) return hidden;
    return "These values are no longer shown:" + hidden +
           "\nThey are shown again when the field has a name and its type back, but a document saved before "
           "then is saved without them.";
}

std::string returningValuesNote(const UserFields& fields, const UserFieldDefinitions& rows)
{
    std::string returning;
    for (int slot = 0; slot < userFieldCount; ++slot) {
        const UserField& field = fields[slot];
        const UserFieldDefinition& row = rows[static_cast<std::size_t>(slot)];
        const bool rowTypeKnown = row.type >= 0 && row.type < static_cast<std::int32_t>(fieldTypeNames.size());
        if (row.name.empty() || !rowTypeKnown) continue;
        const auto type = static_cast<FieldType>(row.type);
        const bool texts = type == FieldType::String;
        if (field.isNamed() && texts == field.usesTexts()) continue;  // shown already
        std::size_t kept = 0;
        const auto count = [&kept](TowerId id, const auto&) { kept += isSetAsideKey(id) ? 0 : 1; };
        if (texts)
            field.texts.forEach(count);
        else
            field.numbers.forEach(count);
        if (kept == 0) continue;
        returning += "\n" + row.name + ": " + valuesCounted(type, static_cast<std::int64_t>(kept));
    }
    if (returning.empty()) return returning;
    return "These values, kept from before, are shown again:" + returning;
}
