#include "viewer/dialogs/validators.h"

#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

// At most this many of the characters that cannot be kept are named in the message.
constexpr std::size_t unkeptShown = 20;

// Why a typed text cannot be kept as it stands; empty when it can.
wxString unkeptReason(const wxString& typed)
{
    if (typed.find_first_of("\r\n") != wxString::npos)
        return "A line break cannot be kept in this box. Please type the text on one line.";
    const wxString unkept = charactersWithoutByte(typed);
    if (unkept.empty()) return {};
    const bool one = unkept.length() == 1;
    const wxString named = unkept.length() <= unkeptShown ? unkept : unkept.Left(unkeptShown) + "...";
    return wxString("Belfrix cannot keep the character") + (one ? " \"" : "s \"") + named +
           "\" of this text: it would be kept as \"" + toWx(fromWx(typed)) + "\". Please type the text without " +
           (one ? "it." : "them.");
}

}  // namespace

wxTextCtrl* TextValidator::box() const { return static_cast<wxTextCtrl*>(GetWindow()); }

bool TextValidator::leftAsFilled() const { return box()->GetValue() == filled_; }

std::string TextValidator::typedBytes() const { return leftAsFilled() ? text_ : fromWx(box()->GetValue()); }

bool TextValidator::TransferToWindow()
{
    box()->ChangeValue(toWx(text_));
    filled_ = box()->GetValue();
    return true;
}

bool TextValidator::TransferFromWindow()
{
    text_ = typedBytes();
    return true;
}

bool TextValidator::Validate(wxWindow* parent)
{
    if (leftAsFilled()) return true;
    const wxString reason = unkeptReason(box()->GetValue());
    if (reason.empty()) return true;
    refuse(reason, parent);
    return false;
}

void refuseTyped(wxWindow& box, const wxString& message, wxWindow* dialog)
{
    wxMessageBox(message, toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, dialog);
    box.SetFocus();
    if (auto* typed = dynamic_cast<wxTextEntry*>(&box)) typed->SelectAll();
}

void TextValidator::refuse(const wxString& message, wxWindow* parent) const { refuseTyped(*box(), message, parent); }

bool CheckedTextValidator::Validate(wxWindow* parent)
{
    if (!TextValidator::Validate(parent)) return false;
    if (leftAsFilled()) return true;
    const std::optional<std::string> refusal = check_(typedBytes());
    if (!refusal) return true;
    refuse(toWx(*refusal), parent);
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

// The entry a combo box's text names: its current one, or the one whose text was typed, one with
// the same capitals before one that differs only in them (an older document may name two so),
// and blanks around either left out last.
int namedEntry(const wxComboBox& box)
{
    const int current = box.GetSelection();
    if (current != wxNOT_FOUND || box.GetValue().empty()) return current;
    for (const bool sameCapitals : {true, false})
        if (const int found = box.FindString(box.GetValue(), sameCapitals); found != wxNOT_FOUND) return found;
    const auto trimmed = [](wxString text) { return text.Trim(true).Trim(false); };
    for (unsigned entry = 0; entry < box.GetCount(); ++entry)
        if (trimmed(box.GetString(entry)).IsSameAs(trimmed(box.GetValue()), false)) return static_cast<int>(entry);
    return wxNOT_FOUND;
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
