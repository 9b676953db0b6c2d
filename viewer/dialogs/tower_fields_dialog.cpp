#include "viewer/dialogs/tower_fields_dialog.h"

#include <array>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "document/tower_field_editor.h"
#include "query/user_fields.h"
#include "viewer/dialog_units.h"
#include "viewer/dialogs/enter_date_dialog.h"
#include "viewer/dialogs/enter_number_dialog.h"
#include "viewer/dialogs/enter_text_dialog.h"
#include "viewer/wx_text.h"

namespace {

constexpr int headerId = 1048;
constexpr std::array<int, userFieldCount> valueBoxIds = {1049, 1027, 1051, 1031, 1033,
                                                         1035, 1037, 1039, 1041, 1043};

int rowButtonId(int k) { return k == 0 ? 1029 : 1028 + 2 * k; }

class TowerFieldsDialog : public wxDialog {
public:
    TowerFieldsDialog(wxWindow* parent, TowerFieldEditor& editor)
        : wxDialog(parent, wxID_ANY, "Tower Details"), editor_(editor)
    {
        sizeDialog(this, 186, 159);
        makeButton(this, wxID_OK, "OK", {2, 0, 50, 14})->SetDefault();
        SetEscapeId(wxID_OK);
        makeEdit(this, headerId, {53, 0, 132, 14}, wxTE_READONLY | wxBORDER_NONE)
            ->ChangeValue(toWx(editor.header()));
        for (int k = 0; k < userFieldCount; ++k) {
            buttons_[k] = makeButton(this, rowButtonId(k), "Button1", {2, 18 + 14 * k, 50, 14});
            values_[k] = makeEdit(this, valueBoxIds[k], {53, 18 + 14 * k, 133, 14},
                                  wxTE_READONLY | wxBORDER_NONE);
            buttons_[k]->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) { enter(k); });
        }
        showRows();
    }

private:
    void showRows()
    {
        for (int k = 0; k < userFieldCount; ++k) {
            buttons_[k]->Show(editor_.rowShown(k));
            buttons_[k]->SetLabel(toWx(editor_.rowName(k)));
            values_[k]->ChangeValue(toWx(editor_.valueText(k)));
        }
    }

    void enter(int k)
    {
        const auto kind = editor_.entryDialog(k);
        if (!kind) return;
        const std::string name = editor_.rowName(k);
        std::string text = editor_.entryText(k);
        std::optional<std::string> entered;
        switch (*kind) {
        case EntryDialog::Date: entered = runEnterDateDialog(this, name, std::move(text)); break;
        case EntryDialog::Number: entered = runEnterNumberDialog(this, name, std::move(text)); break;
        case EntryDialog::Text: entered = runEnterTextDialog(this, name, std::move(text)); break;
        }
        if (entered) editor_.enterValue(k, *entered);
        showRows();
    }

    TowerFieldEditor& editor_;
    std::array<wxButton*, userFieldCount> buttons_{};
    std::array<wxTextCtrl*, userFieldCount> values_{};
};

}  // namespace

void runTowerFieldsDialog(wxWindow* parent, TowerFieldEditor& editor)
{
    TowerFieldsDialog dialog(parent, editor);
    dialog.ShowModal();
}
