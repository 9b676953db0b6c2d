#include "viewer/dialogs/user_fields_dialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "query/user_fields.h"
#include "viewer/dialog_units.h"
#include "viewer/dialogs/validators.h"
#include "viewer/wx_text.h"

namespace {

class UserFieldsDialog : public wxDialog {
public:
    UserFieldsDialog(wxWindow* parent, const UserFieldDefinitions& shown)
        : wxDialog(parent, wxID_ANY, "User-defined Fields"), rows_(shown)
    {
        sizeDialog(this, 186, 151);
        makeButton(this, wxID_OK, "OK", {129, 7, 50, 14})->SetDefault();
        makeButton(this, wxID_CANCEL, "Cancel", {129, 24, 50, 14});
        makeLabel(this, "Type", {0, 0, 17, 8});
        makeLabel(this, "Name", {47, 0, 20, 8});
        for (int k = 0; k < userFieldCount; ++k) {
            UserFieldDefinition& row = rows_[k];
            // The type list's entries are numbered as the field types, in the list's sorted order.
            wxComboBox* types = makeCombo(this, 1026 + 2 * k, {0, 10 + 14 * k, 48, 54}, wxCB_SORT);
            for (const std::string_view type : fieldTypeNames) types->Append(toWx(type));
            typeEntries_[k] = row.type;
            types->SetValidator(EntryValidator(typeEntries_[k]));
            makeEdit(this, 1027 + 2 * k, {47, 10 + 14 * k, 73, 14})->SetValidator(TextValidator(row.name));
        }
    }

    UserFieldDefinitions chosen() const
    {
        UserFieldDefinitions rows = rows_;
        for (int k = 0; k < userFieldCount; ++k) rows[k].type = typeEntries_[k];
        return rows;
    }

private:
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
