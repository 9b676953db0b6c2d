#include "document/dialog_choices.h"

#include "query/field_list.h"
#include "query/selection.h"
#include "query/sorting.h"

SelectionStep selectionStepOf(const SelectChoice& choice, const UserFields& fields)
{
    SelectionStep step;
    step.mode = choice.mode;
    if (choice.mode != StepMode::And && choice.mode != StepMode::Or && choice.mode != StepMode::Xor)
        return step;
    const FieldChoice field = fieldOfEntry(selectionFieldEntries, fields, choice.fieldEntry);
    step.userField = field.userField;
    step.field = field.field;
    step.fromText = choice.fromText;
    step.toText = choice.toText;
    step.exclude = choice.exclude;
    return step;
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
