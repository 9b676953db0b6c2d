#include "viewer/dialogs/tower_fields_dialog.h"

#include <array>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "document/tower_field_editor.h"
#include "query/user_fields.h"
#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/value_entry_dialog.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

using namespace towerDetailsId;
using enum ControlKind;

// The template: OK and the header, then a button and a value box for each slot.
std::vector<ControlRow> table()
{
    std::vector<ControlRow> rows = {
        {DefaultButton, wxID_OK, "OK", {2, 0, 50, 14}},
        {Display, header, "", {53, 0, 132, 14}},
    };
    for (int k = 0; k < userFieldCount; ++k) {
        rows.push_back({Button, button(k), "Button1", {2, 18 + 14 * k, 50, 14}});
        rows.push_back({Display, value(k), "", {53, 18 + 14 * k, 133, 14}});
    }
    return rows;
}
constexpr int width = 186;
constexpr int height = 159;

class TowerFieldsDialog : public wxDialog {
public:
    TowerFieldsDialog(wxWindow* parent, TowerFieldEditor& editor)
        : wxDialog(parent, wxID_ANY, "Tower Details"), editor_(editor), controls_(this, table())
    {
        SetEscapeId(wxID_OK);
        for (int k = 0; k < userFieldCount; ++k) {
            buttons_[k] = controls_.get<wxButton>(button(k));
            values_[k] = controls_.get<wxTextCtrl>(value(k));
            buttons_[k]->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) { enter(k); });
        }
        showRows();
    }

private:
    // Laid out anew with the texts shown, so a longer value is never cut off.
    void showRows()
    {
        controls_.get<wxTextCtrl>(header)->ChangeValue(toWx(editor_.header()));
        for (int k = 0; k < userFieldCount; ++k) {
            buttons_[k]->Show(editor_.rowShown(k));
            buttons_[k]->SetLabel(toWx(editor_.rowName(k)));
            values_[k]->ChangeValue(toWx(editor_.valueText(k)));
        }
        controls_.layOut(width, height);
    }

    void enter(int k)
    {
        const auto kind = editor_.entryDialog(k);
        if (!kind) return;
        const std::string text = editor_.entryText(k);
        // A box would show such a text cut short, and keep it so once changed.
        if (!fitsOneLineBox(toWx(text))) {
            wxMessageBox("This tower's \"" + toWx(editor_.rowName(k)) + "\" is longer than a box holds (" +
                             std::to_string(mostBoxBytes) + " bytes of text: as many plain letters, fewer accented "
                             "ones), so it cannot be changed here. It is kept whole.",
                         toWx(applicationTitle), wxOK | wxICON_INFORMATION, this);
            return;
        }
        const auto entered = runValueEntryDialog(this, *kind, editor_.rowName(k), text);
        if (entered) editor_.enterValue(k, *entered);
        showRows();
    }

    TowerFieldEditor& editor_;
    DialogControls controls_;
    std::array<wxButton*, userFieldCount> buttons_{};
    std::array<wxTextCtrl*, userFieldCount> values_{};
};

}  // namespace

void runTowerFieldsDialog(wxWindow* parent, TowerFieldEditor& editor)
{
    TowerFieldsDialog dialog(parent, editor);
    dialog.ShowModal();
}
