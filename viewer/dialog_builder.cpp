#include "viewer/dialog_builder.h"

#include <algorithm>
#include <optional>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/dataobj.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "viewer/app_icon.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

// The clipboard's text, or the primary selection's (the text last selected anywhere, which a
// middle click pastes); none when it holds no text.
std::optional<wxString> pastableText(bool primarySelection)
{
    wxTextDataObject data;
    bool read = false;
    wxTheClipboard->UsePrimarySelection(primarySelection);
    if (wxTheClipboard->Open()) {
        read = wxTheClipboard->GetData(data);  // as UTF-8 or as plain bytes, whichever the owner gives
        wxTheClipboard->Close();
    }
    wxTheClipboard->UsePrimarySelection(false);
    return read ? std::optional(data.GetText()) : std::nullopt;
}

// The pasted text, read once, put in the box from `from` to `to` in place of what is there, or
// refused with a message where it would take the box past what it holds.
void pasteIfItFits(wxTextCtrl& box, const wxString& pasted, long from, long to)
{
    const wxString after = box.GetRange(0, from) + pasted + box.GetRange(to, box.GetLastPosition());
    if (fitsOneLineBox(after)) {
        box.SetSelection(from, to);
        box.WriteText(pasted);
        return;
    }
    wxMessageBox("This box holds at most " + std::to_string(mostBoxBytes) +
                     " bytes of text (as many plain letters, fewer accented ones): the text pasted would take it "
                     "past them, so it was left out.",
                 toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, wxGetTopLevelParent(&box));
}

void pasteClipboard(wxTextCtrl& box, wxClipboardTextEvent& event)
{
    const std::optional<wxString> pasted = pastableText(false);
    if (!pasted) {
        event.Skip();  // nothing this box could take: the toolkit's own paste does nothing either
        return;
    }
    long from = 0;
    long to = 0;
    box.GetSelection(&from, &to);
    pasteIfItFits(box, *pasted, from, to);
}

#ifdef __WXGTK__
// A middle click puts the primary selection where it points, beside any selection in the box.
void pasteSelection(wxTextCtrl& box, wxMouseEvent& event)
{
    const std::optional<wxString> pasted = pastableText(true);
    if (!pasted) {
        event.Skip();
        return;
    }
    long at = box.GetLastPosition();
    if (box.HitTest(event.GetPosition(), &at) == wxTE_HT_UNKNOWN) at = box.GetLastPosition();
    pasteIfItFits(box, *pasted, at, at);
}
#endif

// Pixels around the controls, inside the dialog's edges.
constexpr int margin = 10;

wxWindow* make(wxWindow* parent, const ControlRow& row)
{
    const wxString text = toWx(row.text);
    switch (row.kind) {
    case ControlKind::Button: return new wxButton(parent, row.id, text);
    case ControlKind::DefaultButton: {
        auto* button = new wxButton(parent, row.id, text);
        button->SetDefault();
        return button;
    }
    case ControlKind::SmallButton:
        return new wxButton(parent, row.id, text, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    case ControlKind::Label: return new wxStaticText(parent, row.id, text);
    case ControlKind::Group: return new wxStaticBox(parent, row.id, text);
    case ControlKind::Edit: {
        auto* box = new wxTextCtrl(parent, row.id, text);
        box->Bind(wxEVT_TEXT_PASTE, [box](wxClipboardTextEvent& event) { pasteClipboard(*box, event); });
#ifdef __WXGTK__  // only X and Wayland have a primary selection; elsewhere a middle click pastes nothing
        box->Bind(wxEVT_MIDDLE_DOWN, [box](wxMouseEvent& event) { pasteSelection(*box, event); });
#endif
        return box;
    }
    case ControlKind::Display: {
        auto* box = new wxTextCtrl(parent, row.id, text, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY | wxBORDER_NONE);
        box->SetBackgroundColour(parent->GetBackgroundColour());
        box->DisableFocusFromKeyboard();
        return box;
    }
    case ControlKind::Check: return new wxCheckBox(parent, row.id, text);
    case ControlKind::FirstRadio:
        return new wxRadioButton(parent, row.id, text, wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    case ControlKind::Radio: return new wxRadioButton(parent, row.id, text);
    case ControlKind::List:
        return new wxComboBox(parent, row.id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                              wxCB_READONLY);
    case ControlKind::SortedList:
        return new wxComboBox(parent, row.id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                              wxCB_READONLY | wxCB_SORT);
    case ControlKind::TypedList:
        return new wxComboBox(parent, row.id, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                              wxCB_DROPDOWN);
    case ControlKind::Icon: return new wxStaticBitmap(parent, row.id, appIcon());
    }
    return nullptr;
}

bool isList(ControlKind kind)
{
    return kind == ControlKind::List || kind == ControlKind::SortedList || kind == ControlKind::TypedList;
}

// Return in a list whose entries are not open presses the default button, as in any other box,
// instead of opening the entries again after a choice made with the mouse.
void returnInAListPressesTheDefault(wxWindow* dialog)
{
    dialog->Bind(wxEVT_CHAR_HOOK, [dialog](wxKeyEvent& event) {
        event.Skip();
        const bool enter = event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER;
        // The toolkit may give the keyboard to a part of the list it does not name: no window.
        wxWindow* focus = wxWindow::FindFocus();
        const bool inAList = focus == nullptr || dynamic_cast<wxComboBox*>(focus) != nullptr;
        if (!enter || event.HasAnyModifiers() || !inAList) return;
        auto* window = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(dialog));
        auto* button = window != nullptr ? dynamic_cast<wxButton*>(window->GetDefaultItem()) : nullptr;
        if (button == nullptr || !button->IsEnabled()) return;
        event.Skip(false);
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    });
}

LayoutItem layoutItem(const ControlRow& row, wxWindow* control)
{
    LayoutItem item;
    item.rect = row.rect;
    wxSize best = control->GetBestSize();
    // A box that only shows a text is as wide as the text it holds, so none of it is cut off, up
    // to widestDisplayBox: a longer text is scrolled through within the box.
    if (row.kind == ControlKind::Display) {
        auto* box = static_cast<wxTextCtrl*>(control);
        const int textWidth = box->GetSizeFromTextSize(box->GetTextExtent(box->GetValue()).x).x;
        best.x = std::max(best.x, std::min(textWidth, widestDisplayBox()));
    }
    item.bestWidth = best.x;
    item.bestHeight = best.y;
    if (isList(row.kind)) item.role = LayoutRole::NaturalHeight;
    if (row.kind == ControlKind::Group) {
        item.role = LayoutRole::Group;
#ifdef __WXMSW__
        // Windows draws a group box as a frame line with its label over the top line: the
        // controls inside need to clear those alone, not the padding a sizer would add, and the
        // dialog keeps its template's arrangement as drawn.
        item.insideTop = control->GetCharHeight();
        item.insideSide = 1;
#else
        static_cast<wxStaticBox*>(control)->GetBordersForSizer(&item.insideTop, &item.insideSide);
#endif
    }
    return item;
}

}  // namespace

bool fitsOneLineBox(const wxString& text)
{
    return text.utf8_str().length() <= mostBoxBytes;
}

int widestDisplayBox()
{
    const int screen = wxGetClientDisplayRect().width;
    return std::max(screen / 2, screen - 400);
}

DialogControls::DialogControls(wxWindow* parent, std::span<const ControlRow> table)
    : parent_(parent), table_(table.begin(), table.end())
{
    for (const ControlRow& row : table_) controls_.push_back(make(parent, row));
    if (std::any_of(table_.begin(), table_.end(), [](const ControlRow& row) { return isList(row.kind); }))
        returnInAListPressesTheDefault(parent);
}

wxWindow* DialogControls::find(int id) const
{
    for (std::size_t i = 0; i < table_.size(); ++i)
        if (table_[i].id == id) return controls_[i];
    return nullptr;
}

void DialogControls::layOut(int width, int height)
{
    std::vector<LayoutItem> items;
    for (std::size_t i = 0; i < table_.size(); ++i) items.push_back(layoutItem(table_[i], controls_[i]));
    const wxSize unit = parent_->ConvertDialogToPixels(wxSize(100, 100));
    const DialogLayout layout = layOutDialog(items, width, height, unit.x / 100.0, unit.y / 100.0, margin);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const PixelRect& rect = layout.rects[i];
        controls_[i]->SetSize(rect.x, rect.y, rect.width, rect.height);
    }
    parent_->SetClientSize(layout.clientWidth, layout.clientHeight);
}
