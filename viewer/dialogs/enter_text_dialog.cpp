#include "viewer/dialogs/enter_text_dialog.h"

#include <wx/textctrl.h>

#include "viewer/dialogs/value_entry_dialog.h"

namespace {

constexpr EntryLayout enterText{"Enter Text", 186, 46, {1, 1, 49, 14}, {53, 2, 130, 43},
                                {1, 16, 50, 14}, {1, 31, 50, 14}, wxTE_MULTILINE | wxVSCROLL};

}  // namespace

std::optional<std::string> runEnterTextDialog(wxWindow* parent, std::string_view fieldName, std::string text)
{
    ValueEntryDialog dialog(parent, enterText, fieldName, std::move(text));
    return runValueEntryDialog(dialog);
}
