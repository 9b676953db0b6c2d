#include "viewer/dialogs/value_entry_dialog.h"

#include <array>
#include <span>

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "document/dialog_choices.h"
#include "query/day_numbers.h"
#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

using namespace valueEntryId;
using enum ControlKind;

// Each kind of entry's template and what its box takes.
struct EntrySetting {
    std::string_view caption;
    int width;
    int height;
    std::array<ControlRow, 4> table;
    CheckedTextValidator::Check check;
};

std::optional<std::string> anyText(std::string_view) { return std::nullopt; }

std::optional<std::string> checkInteger(std::string_view text)
{
    if (readWholeInteger(text)) return std::nullopt;
    return "Please enter a whole number from -2147483648 to 2147483647.";
}

std::optional<std::string> checkDate(std::string_view text) { return dateBoxRefusal(text, today()); }

const EntrySetting dateSetting{
    "Enter Date", 105, 36,
    {{{Display, fieldName, "", {2, 4, 49, 14}},
      {Edit, input, "", {53, 4, 49, 14}},
      {DefaultButton, wxID_OK, "OK", {2, 20, 50, 14}},
      {Button, wxID_CANCEL, "Cancel", {53, 20, 50, 14}}}},
    checkDate};

const EntrySetting numberSetting{
    "Enter Number", 108, 34,
    {{{Display, fieldName, "", {2, 1, 52, 14}},
      {Edit, input, "", {55, 2, 49, 14}},
      {DefaultButton, wxID_OK, "OK", {3, 17, 50, 14}},
      {Button, wxID_CANCEL, "Cancel", {55, 17, 50, 14}}}},
    checkInteger};

// One line: Return presses OK, and a line break typed or pasted into it is refused.
const EntrySetting textSetting{
    "Enter Text", 186, 46,
    {{{Display, fieldName, "", {1, 1, 49, 14}},
      {Edit, input, "", {53, 2, 130, 14}},
      {DefaultButton, wxID_OK, "OK", {1, 16, 50, 14}},
      {Button, wxID_CANCEL, "Cancel", {1, 31, 50, 14}}}},
    anyText};

const EntrySetting& settingOf(EntryDialog kind)
{
    switch (kind) {
    case EntryDialog::Date: return dateSetting;
    case EntryDialog::Number: return numberSetting;
    case EntryDialog::Text: break;
    }
    return textSetting;
}

class ValueEntryDialog : public wxDialog {
public:
    ValueEntryDialog(wxWindow* parent, const EntrySetting& setting, std::string_view name, std::string text)
        : wxDialog(parent, wxID_ANY, wxString(setting.caption.data(), setting.caption.size())),
          name_(name),
          text_(std::move(text))
    {
        DialogControls controls(this, setting.table);
        // The name is in its box before the layout, which makes the box as wide as the name.
        controls.get<wxTextCtrl>(fieldName)->ChangeValue(toWx(name_));
        controls.find(fieldName)->SetValidator(TextValidator(name_));
        input_ = controls.get<wxTextCtrl>(input);
        input_->SetValidator(CheckedTextValidator(text_, setting.check));
        controls.layOut(setting.width, setting.height);
        Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
            event.Skip();
            CallAfter([this] {
                input_->SetFocus();
                input_->SelectAll();
            });
        });
    }

    const std::string& entered() const { return text_; }

private:
    std::string name_;
    std::string text_;
    wxTextCtrl* input_ = nullptr;
};

}  // namespace

std::optional<std::string> runValueEntryDialog(wxWindow* parent, EntryDialog kind, std::string_view fieldName,
                                               std::string text)
{
    ValueEntryDialog dialog(parent, settingOf(kind), fieldName, std::move(text));
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.entered();
}
