#include "viewer/dialogs/enter_number_dialog.h"

#include "document/tower_field_editor.h"
#include "viewer/dialogs/value_entry_dialog.h"

namespace {

constexpr EntryLayout enterNumber{"Enter Number", 108, 34, {2, 1, 52, 14}, {55, 2, 49, 14},
                                  {3, 17, 50, 14}, {55, 17, 50, 14}, 0};
constexpr std::string_view integerRefusal = "Please enter an integer.";

bool isInteger(std::string_view text) { return readWholeInteger(text).has_value(); }

}  // namespace

std::optional<std::string> runEnterNumberDialog(wxWindow* parent, std::string_view fieldName, std::string text)
{
    ValueEntryDialog dialog(parent, enterNumber, fieldName, std::move(text), isInteger, integerRefusal);
    return runValueEntryDialog(dialog);
}
