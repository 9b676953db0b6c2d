#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <wx/dialog.h>

#include "viewer/dialog_units.h"

// What the three entry dialogs share: a read-only box with the field's name, an input box, OK
// and Cancel, laid out by each dialog's own template.
struct EntryLayout {
    std::string_view caption;
    int width;
    int height;
    DialogRect name;
    DialogRect input;
    DialogRect ok;
    DialogRect cancel;
    long inputStyle;
};

class ValueEntryDialog : public wxDialog {
public:
    // check: none takes any text; otherwise a text it refuses brings the refusal and keeps the
    // dialog open.
    ValueEntryDialog(wxWindow* parent, const EntryLayout& layout, std::string_view fieldName, std::string text,
                bool (*check)(std::string_view) = nullptr, std::string_view refusal = {});

    const std::string& text() const { return text_; }

private:
    std::string name_;
    std::string text_;
};

// Runs the dialog; the input box's text on OK.
std::optional<std::string> runValueEntryDialog(ValueEntryDialog& dialog);
