#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/tower_field_editor.h"

class wxWindow;

// Enter Date, Enter Number and Enter Text: the field's name, one line to type the value in, OK
// and Cancel. The box opens with the current value selected, so typing replaces it. A text the
// field's type cannot take brings a message that says what it takes and keeps the dialog open.
// Gives the text on OK: the value as it was when the box was left untouched, line breaks
// included; none on Cancel.
std::optional<std::string> runValueEntryDialog(wxWindow* parent, EntryDialog kind, std::string_view fieldName,
                                               std::string text);
