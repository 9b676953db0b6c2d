#include "viewer/dialogs/enter_date_dialog.h"

#include "viewer/dialogs/value_entry_dialog.h"

namespace {

constexpr EntryLayout enterDate{"Enter Date", 105, 36, {2, 4, 49, 14}, {53, 4, 49, 14},
                                {2, 20, 50, 14}, {53, 20, 50, 14}, 0};

}  // namespace

std::optional<std::string> runEnterDateDialog(wxWindow* parent, std::string_view fieldName, std::string text)
{
    ValueEntryDialog dialog(parent, enterDate, fieldName, std::move(text));
    return runValueEntryDialog(dialog);
}
