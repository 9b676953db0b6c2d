#include "viewer/dialogs/value_entry_dialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "viewer/dialogs/validators.h"

namespace {

constexpr int nameBoxId = 1048;
constexpr int inputBoxId = 1052;

}  // namespace

ValueEntryDialog::ValueEntryDialog(wxWindow* parent, const EntryLayout& layout, std::string_view fieldName,
                         std::string text, bool (*check)(std::string_view), std::string_view refusal)
    : wxDialog(parent, wxID_ANY, wxString(layout.caption.data(), layout.caption.size())),
      name_(fieldName),
      text_(std::move(text))
{
    sizeDialog(this, layout.width, layout.height);
    makeEdit(this, nameBoxId, layout.name, wxTE_READONLY | wxBORDER_NONE)->SetValidator(TextValidator(name_));
    wxTextCtrl* input = makeEdit(this, inputBoxId, layout.input, layout.inputStyle);
    if (check != nullptr)
        input->SetValidator(CheckedTextValidator(text_, check, refusal));
    else
        input->SetValidator(TextValidator(text_));
    makeButton(this, wxID_OK, "OK", layout.ok)->SetDefault();
    makeButton(this, wxID_CANCEL, "Cancel", layout.cancel);
    input->SetFocus();
}

std::optional<std::string> runValueEntryDialog(ValueEntryDialog& dialog)
{
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.text();
}
