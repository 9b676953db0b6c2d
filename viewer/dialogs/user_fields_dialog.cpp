#include "viewer/dialogs/user_fields_dialog.h"

#include <vector>

#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include "document/dialog_choices.h"
#include "query/user_fields.h"
#include "viewer/dialog_builder.h"
#include "viewer/dialogs/control_ids.h"
#include "viewer/dialogs/validators.h"
#include "viewer/frame_texts.h"
#include "viewer/wx_text.h"

namespace {

using namespace userFieldsId;
using enum ControlKind;

std::vector<ControlRow> table()
{
    std::vector<ControlRow> rows = {
        {DefaultButton, wxID_OK, "OK", {129, 7, 50, 14}},
        {Button, wxID_CANCEL, "Cancel", {129, 24, 50, 14}},
        {Label, wxID_ANY, "Type", {0, 0, 17, 8}},
        {Label, wxID_ANY, "Name", {47, 0, 20, 8}},
    };
    for (int k = 0; k < userFieldCount; ++k) {
        rows.push_back({SortedList, type(k), "", {0, 10 + 14 * k, 48, 54}});
        rows.push_back({Edit, name(k), "", {47, 10 + 14 * k, 73, 14}});
    }
    return rows;
}
constexpr int width = 186;
constexpr int height = 151;

class UserFieldsDialog : public wxDialog {
public:
    UserFieldsDialog(wxWindow* parent, const UserFieldDefinitions& shown)
        : wxDialog(parent, wxID_ANY, "User-defined Fields"), rows_(shown)
    {
        const std::vector<ControlRow> rows = table();
        DialogControls controls(this, rows);
        for (int k = 0; k < userFieldCount; ++k) {
            // The entries are numbered as the field types, in the list's sorted order.
            auto* types = controls.get<wxComboBox>(type(k));
            for (const std::string_view typeName : fieldTypeNames) types->Append(toWx(typeName));
            typeEntries_[k] = rows_[k].type;
            types->SetValidator(EntryValidator(typeEntries_[k]));
            controls.find(name(k))->SetValidator(TextValidator(rows_[k].name));
        }
        controls.layOut(width, height);
    }

    // Names that can be told apart, and a type for each named field: its values are kept by type.
    bool Validate() override
    {
        if (!wxDialog::Validate()) return false;
        std::array<std::string, userFieldCount> names;
        for (int k = 0; k < userFieldCount; ++k) names[k] = fromWx(nameBox(k)->GetValue());
        if (const auto refusal = fieldNameRefusal(names)) {
            wxMessageBox(toWx(refusal->message), toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, this);
            nameBox(refusal->row)->SetFocus();
            return false;
        }
        for (int k = 0; k < userFieldCount; ++k) {
            auto* typeBox = static_cast<wxComboBox*>(FindWindow(type(k)));
            const wxString name = nameBox(k)->GetValue();
            if (name.empty() || typeBox->GetSelection() != wxNOT_FOUND) continue;
            const wxString types = toWx(fieldTypeNames[0]) + ", " + toWx(fieldTypeNames[1]) + " or " +
                                   toWx(fieldTypeNames[2]);
            wxMessageBox("Please choose the type of the field \"" + name + "\": " + types + ".",
                         toWx(applicationTitle), wxOK | wxICON_EXCLAMATION, this);
            typeBox->SetFocus();
            return false;
        }
        return true;
    }

    UserFieldDefinitions chosen() const
    {
        UserFieldDefinitions rows = rows_;
        for (int k = 0; k < userFieldCount; ++k) rows[k].type = typeEntries_[k];
        return rows;
    }

private:
    wxTextCtrl* nameBox(int k) const { return static_cast<wxTextCtrl*>(FindWindow(userFieldsId::name(k))); }

    UserFieldDefinitions rows_;
    std::array<int, userFieldCount> typeEntries_{};
};

}  // namespace

std::optional<UserFieldDefinitions> runUserFieldsDialog(wxWindow* parent, const UserFieldDefinitions& shown)
{
    UserFieldsDialog dialog(parent, shown);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.chosen();
}
