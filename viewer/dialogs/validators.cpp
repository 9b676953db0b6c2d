#include "viewer/dialogs/validators.h"

#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

bool TextValidator::TransferToWindow()
{
    static_cast<wxTextCtrl*>(GetWindow())->ChangeValue(toWx(text_));
    return true;
}

bool TextValidator::TransferFromWindow()
{
    text_ = fromWx(static_cast<wxTextCtrl*>(GetWindow())->GetValue());
    return true;
}

bool CheckedTextValidator::Validate(wxWindow* parent)
{
    auto* box = static_cast<wxTextCtrl*>(GetWindow());
    if (check_(fromWx(box->GetValue()))) return true;
    wxMessageBox(toWx(refusal_), toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, parent);
    box->SetFocus();
    box->SelectAll();
    return false;
}

bool RadioValidator::TransferToWindow()
{
    static_cast<wxRadioButton*>(GetWindow())->SetValue(value_ == position_);
    return true;
}

bool RadioValidator::TransferFromWindow()
{
    if (static_cast<wxRadioButton*>(GetWindow())->GetValue()) value_ = position_;
    return true;
}

void EntryValidator::SetWindow(wxWindow* window)
{
    wxValidator::SetWindow(window);
    auto used = [this](wxEvent& event) {
        used_ = true;
        event.Skip();
    };
    Bind(wxEVT_SET_FOCUS, used);
    Bind(wxEVT_COMBOBOX, used);
    Bind(wxEVT_TEXT, used);
}

bool EntryValidator::TransferToWindow()
{
    auto* box = static_cast<wxComboBox*>(GetWindow());
    if (start_ == Start::ShowEntry && entry_ >= 0 && static_cast<unsigned>(entry_) < box->GetCount())
        box->SetSelection(entry_);
    else
        box->ChangeValue(wxEmptyString);
    used_ = false;
    return true;
}

namespace {

// The entry a combo box's text names: its current one, or the one whose text was typed.
int namedEntry(const wxComboBox& box)
{
    const int current = box.GetSelection();
    if (current != wxNOT_FOUND || box.GetValue().empty()) return current;
    return box.FindString(box.GetValue());
}

}  // namespace

bool EntryValidator::Validate(wxWindow* parent)
{
    auto* box = static_cast<wxComboBox*>(GetWindow());
    if (!used_ || box->GetValue().empty() || namedEntry(*box) != wxNOT_FOUND) return true;
    wxMessageBox("Please choose an entry of the list: \"" + box->GetValue() + "\" is none of them.",
                 toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, parent);
    box->SetFocus();
    return false;
}

bool EntryValidator::TransferFromWindow()
{
    if (used_) entry_ = namedEntry(*static_cast<wxComboBox*>(GetWindow()));
    return true;
}
